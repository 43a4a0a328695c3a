<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>kalvest_ble</name>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>写入数据</translation>
    </message>
    <message>
        <source>The data are not hex bytes.</source>
        <translation>数据不是十六进制字节。</translation>
    </message>
</context>
<context>
    <name>CharacteristicWidget</name>
    <message>
        <source>Characteristic Name:</source>
        <translation>特征名称：</translation>
    </message>
    <message>
        <source>Characteristic UUID:</source>
        <translation>特征 UUID：</translation>
    </message>
    <message>
        <source>Characteristic Permission:</source>
        <translation>特征权限：</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Notify</source>
        <translation>通知</translation>
    </message>
    <message>
        <source>W</source>
        <translation>写</translation>
    </message>
</context>
<context>
    <name>WriteDialog</name>
    <message>
        <source>Data:</source>
        <translation>数据：</translation>
    </message>
    <message>
        <source>Send Mode:</source>
        <translation>发送模式：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>写入数据</translation>
    </message>
    <message>
        <source>The data are not hex bytes. Write each byte as two hex digits, optionally with 0x, separated by blanks or commas, for example 0x41, 0x42 or 41 42.</source>
        <translation>数据不是十六进制字节。每个字节写成两位十六进制数字（可带 0x），用空格或逗号分隔，例如 0x41, 0x42 或 41 42。</translation>
    </message>
</context>
<context>
    <name>Device</name>
    <message>
        <source>The Bluetooth discovery did not start.</source>
        <translation>蓝牙扫描未能启动。</translation>
    </message>
    <message>
        <source>The Bluetooth adaptor is powered off, power it on before doing discovery.</source>
        <translation>蓝牙适配器已关闭，请先打开再扫描。</translation>
    </message>
    <message>
        <source>Writing or reading from the device resulted in an error.</source>
        <translation>读写设备时出错。</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>错误：%1</translation>
    </message>
</context>
</TS>
