<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ThreadSerial</name>
    <message>
        <source>the device was removed or closed</source>
        <translation>设备已被拔出或关闭</translation>
    </message>
</context>
</TS>
