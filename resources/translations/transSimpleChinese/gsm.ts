<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Info: </source>
        <translation>提示: </translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>错误: </translation>
    </message>
    <message>
        <source>Calling...</source>
        <translation>正在通话...</translation>
    </message>
    <message>
        <source>call ended</source>
        <translation>通话结束</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>对方忙</translation>
    </message>
    <message>
        <source>Have a new call:</source>
        <translation>有新来电:</translation>
    </message>
    <message>
        <source>Have new SMS, SMS box:: </source>
        <translation>有新短信, 短信位置:: </translation>
    </message>
    <message>
        <source>No response</source>
        <translation>无响应</translation>
    </message>
    <message>
        <source>Initialization completed</source>
        <translation>初始化完成</translation>
    </message>
    <message>
        <source>Already cleared</source>
        <translation>已清除</translation>
    </message>
</context>
</TS>
