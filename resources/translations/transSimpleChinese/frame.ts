<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Kalvest -- VELM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>检测更新</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>使用帮助</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial Debug</source>
        <translation>Serial Debug</translation>
    </message>
    <message>
        <source>UDP Debug</source>
        <translation>UDP Debug</translation>
    </message>
    <message>
        <source>TCP Debug</source>
        <translation>TCP Debug</translation>
    </message>
    <message>
        <source>GPS Debug</source>
        <translation>GPS Debug</translation>
    </message>
    <message>
        <source>GSM Debug</source>
        <translation>GSM Debug</translation>
    </message>
    <message>
        <source>Unicode</source>
        <translation>Unicode</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>Environment</translation>
    </message>
    <message>
        <source>More</source>
        <translation>More</translation>
    </message>
</context>
</TS>
