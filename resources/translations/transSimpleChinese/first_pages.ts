<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>MqttClient</name>
        <message>
            <source>Protocol version %1 is not supported</source>
            <translation>不支持协议版本 %1</translation>
        </message>
        <message>
            <source>TLS cannot be added to a device transport</source>
            <translation>设备传输不能添加 TLS</translation>
        </message>
        <message>
            <source>The transport device could not be opened: %1</source>
            <translation>无法打开传输设备：%1</translation>
        </message>
        <message>
            <source>No broker host name</source>
            <translation>没有服务器主机名</translation>
        </message>
        <message>
            <source>No broker port</source>
            <translation>没有服务器端口</translation>
        </message>
        <message>
            <source>Malformed data from the broker: %1</source>
            <translation>服务器发来的数据格式错误：%1</translation>
        </message>
        <message>
            <source>The broker sent packet type %1 before CONNACK</source>
            <translation>服务器在 CONNACK 之前发送了类型为 %1 的报文</translation>
        </message>
        <message>
            <source>The broker refused the connection (return code %1)</source>
            <translation>服务器拒绝了连接（返回码 %1）</translation>
        </message>
        <message>
            <source>SUBACK for no request of ours (id %1)</source>
            <translation>收到的 SUBACK 不对应任何请求（标识 %1）</translation>
        </message>
        <message>
            <source>Unexpected packet type %1 from the broker</source>
            <translation>服务器发来意外的报文类型 %1</translation>
        </message>
        <message>
            <source>The connection to the broker was closed</source>
            <translation>与服务器的连接已关闭</translation>
        </message>
        <message>
            <source>The broker did not answer the keep-alive ping</source>
            <translation>服务器没有响应保活心跳</translation>
        </message>
        <message>
            <source>No answer from the broker within %1 ms</source>
            <translation>服务器在 %1 毫秒内没有应答</translation>
        </message>
        <message>
            <source>Writing to the broker failed: %1</source>
            <translation>向服务器写入失败：%1</translation>
        </message>
    </context>
    <context>
        <name>kalvest_hex_tools</name>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
        </message>
        <message>
            <source>Enter address (hex)</source>
            <translation>输入地址（十六进制）</translation>
        </message>
        <message>
            <source>Search (hex)</source>
            <translation>搜索（十六进制）</translation>
        </message>
        <message>
            <source>File1</source>
            <translation>文件1</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>打开文件</translation>
        </message>
        <message>
            <source>File2</source>
            <translation>文件2</translation>
        </message>
        <message>
            <source>Go to</source>
            <translation>跳转</translation>
        </message>
        <message>
            <source>Prev</source>
            <translation>上一个</translation>
        </message>
        <message>
            <source>Next</source>
            <translation>下一个</translation>
        </message>
        <message>
            <source>Save File1</source>
            <translation>保存文件1</translation>
        </message>
        <message>
            <source>Save File2</source>
            <translation>保存文件2</translation>
        </message>
        <message>
            <source>Save Changes</source>
            <translation>保存更改</translation>
        </message>
        <message>
            <source>File %1 has been modified.
Do you want to save your changes?</source>
            <translation>文件 %1 已被修改。
是否保存更改？</translation>
        </message>
    </context>
</TS>
