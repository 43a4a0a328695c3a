<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>MQTT Connected</source>
        <translation>MQTT 已连接</translation>
    </message>
    <message>
        <source>MQTT was disconnected.</source>
        <translation>MQTT 已断开。</translation>
    </message>
    <message>
        <source>MQTT was disconnected: %1.</source>
        <translation>MQTT 已断开：%1。</translation>
    </message>
    <message>
        <source>MQTT was not connected.</source>
        <translation>MQTT 未连接。</translation>
    </message>
    <message>
        <source>Topic:%1 was subcribed success.</source>
        <translation>主题:%1 订阅成功。</translation>
    </message>
    <message>
        <source>The MQTT settings could not be saved to %1.</source>
        <translation>MQTT 设置无法保存到 %1。</translation>
    </message>
</context>
<context>
    <name>WebSocketIODevice</name>
    <message>
        <source>more than %1 bytes from the broker waited unread</source>
        <translation>服务器发来的 %1 字节以上的数据未能及时读取</translation>
    </message>
    <message>
        <source>the broker sent a message larger than %1 bytes</source>
        <translation>服务器发来的消息大于 %1 字节</translation>
    </message>
    <message>
        <source>the broker sent data that is no MQTT packet</source>
        <translation>服务器发来的数据不是 MQTT 报文</translation>
    </message>
</context>
</TS>
