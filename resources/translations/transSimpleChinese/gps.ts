<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Successfully read %1 byte data</source>
        <translation>成功读取 %1 字节数据</translation>
    </message>
    <message>
        <source>Serial opened</source>
        <translation>串口已打开</translation>
    </message>
    <message>
        <source>Serial closed</source>
        <translation>串口已关闭</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Serial failed to open, The serial does not exist or already used.</source>
        <translation>串口打开失败，串口不存在或已被占用。</translation>
    </message>
    <message>
        <source>Serial port lost, closed: %1</source>
        <translation>串口已断开并关闭：%1</translation>
    </message>
    <message>
        <source>Unable to save GPS data.</source>
        <translation>无法保存GPS数据。</translation>
    </message>
    <message>
        <source>read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Open failed: Failed to open this file, this may be due to insufficient permissions.</source>
        <translation>打开失败：无法打开此文件，可能是权限不足。</translation>
    </message>
    <message>
        <source>Success for read the data in the file</source>
        <translation>成功读取文件中的数据</translation>
    </message>
    <message>
        <source>Receive has been cleared</source>
        <translation>接收区已清空</translation>
    </message>
</context>
<context>
    <name>GPSsignal</name>
    <message>
        <source>GPS Signal</source>
        <translation>GPS信号</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CustomWebPage</name>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
</context>
</TS>
