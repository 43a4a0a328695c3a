<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Invalid input format. Please enter the correct format (e.g., 0x01,0x34,0xab)</source>
        <translation>输入格式无效，请按正确格式输入（例如：0x01,0x34,0xab）</translation>
    </message>
    <message>
        <source>At most %1 bytes can be written at once.</source>
        <translation>一次最多只能写入 %1 个字节。</translation>
    </message>
</context>
<context>
    <name>I2CDump_ReadREG</name>
    <message>
        <source>I2C Read Reg</source>
        <translation>I2C 读寄存器</translation>
    </message>
    <message>
        <source>register addr:</source>
        <translation>寄存器地址：</translation>
    </message>
    <message>
        <source>length:</source>
        <translation>长度：</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>I2CDump_WriteREG</name>
    <message>
        <source>I2C Write Reg</source>
        <translation>I2C 写寄存器</translation>
    </message>
    <message>
        <source>register addr:</source>
        <translation>寄存器地址：</translation>
    </message>
    <message>
        <source>e.g.: 0x12,0x34,0xab</source>
        <translation>例如：0x12,0x34,0xab</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>kalvest_i2c_tools</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>i2c addresss:</source>
        <translation>i2c 地址：</translation>
    </message>
</context>
</TS>
