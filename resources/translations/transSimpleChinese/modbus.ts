<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
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
        <source>Serial failed to open, The serial does not exist or already used.</source>
        <translation>串口打开失败，串口不存在或已被占用。</translation>
    </message>
    <message>
        <source>Serial port lost, closed: %1</source>
        <translation>串口已丢失，已关闭：%1</translation>
    </message>
    <message>
        <source>warning:</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>IP or Port is empty!</source>
        <translation>IP 或端口为空！</translation>
    </message>
    <message>
        <source>Connected to TCP server</source>
        <translation>已连接 TCP 服务器</translation>
    </message>
    <message>
        <source>Disconnected TCP server</source>
        <translation>已断开 TCP 服务器</translation>
    </message>
    <message>
        <source>No server found</source>
        <translation>未找到服务器</translation>
    </message>
    <message>
        <source>Too many values: one request carries at most %1 bytes</source>
        <translation>数据过多：一个请求最多携带 %1 个字节</translation>
    </message>
    <message>
        <source>Receive has been cleared</source>
        <translation>接收区已清空</translation>
    </message>
    <message>
        <source>Send has been cleared</source>
        <translation>发送区已清空</translation>
    </message>
    <message>
        <source>The request could not be sent: %1</source>
        <translation>请求未能发出：%1</translation>
    </message>
</context>
<context>
    <name>ModbusExchange</name>
    <message>
        <source>the channel did not take it</source>
        <translation>通道未接收该数据</translation>
    </message>
</context>
</TS>
