<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>MainWindow</name>
        <message>
            <source>Web pages cannot be shown: %1</source>
            <translation>无法显示网页：%1</translation>
        </message>
        <message>
            <source>Successfully read %1 byte data</source>
            <translation>成功读取 %1 字节数据</translation>
        </message>
        <message>
            <source>Serial closed</source>
            <translation>串口已关闭</translation>
        </message>
        <message>
            <source>Serial opened</source>
            <translation>串口已打开</translation>
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
            <translation>串口已断开，已关闭：%1</translation>
        </message>
        <message>
            <source>A file is being sent; wait until it is done</source>
            <translation>正在发送文件，请等待发送完成</translation>
        </message>
        <message>
            <source>The device is not taking data; %1 of %2 bytes of the file have gone</source>
            <translation>设备没有接收数据；文件已发出 %1 / %2 字节</translation>
        </message>
        <message>
            <source>Sending the file: %1 of %2 bytes have gone</source>
            <translation>正在发送文件：已发出 %1 / %2 字节</translation>
        </message>
        <message>
            <source>the file send was stopped after %1 of %2 bytes</source>
            <translation>文件发送已在 %1 / %2 字节处停止</translation>
        </message>
        <message>
            <source>Serial closed; %1</source>
            <translation>串口已关闭；%1</translation>
        </message>
        <message>
            <source>Serial port lost, closed: %1; %2</source>
            <translation>串口已断开，已关闭：%1；%2</translation>
        </message>
        <message>
            <source>The device</source>
            <translation>设备</translation>
        </message>
        <message>
            <source>The input data format is wrong!</source>
            <translation>输入的数据格式错误！</translation>
        </message>
        <message>
            <source>No Data</source>
            <translation>没有数据</translation>
        </message>
        <message>
            <source>Enable Keep sending</source>
            <translation>已启用连续发送</translation>
        </message>
        <message>
            <source>Disable Keep sending</source>
            <translation>已停用连续发送</translation>
        </message>
        <message>
            <source>Receive has been cleared</source>
            <translation>接收区已清空</translation>
        </message>
        <message>
            <source>Counter has been cleared</source>
            <translation>计数已清零</translation>
        </message>
        <message>
            <source>Send has been cleared</source>
            <translation>发送区已清空</translation>
        </message>
        <message>
            <source>Read file</source>
            <translation>读取文件</translation>
        </message>
        <message>
            <source>Open failed: Failed to open this file, this may be due to insufficient permissions.</source>
            <translation>打开失败：无法打开此文件，可能是权限不足。</translation>
        </message>
        <message>
            <source>Load failed: file size is %1 bytes, Exceeded the limit size 10000 bytes</source>
            <translation>加载失败：文件大小为 %1 字节，超过了 10000 字节的限制</translation>
        </message>
        <message>
            <source>Success for read the data in the file</source>
            <translation>已成功读取文件中的数据</translation>
        </message>
        <message>
            <source>Success for send the data in the file</source>
            <translation>已成功发送文件中的数据</translation>
        </message>
        <message>
            <source>Send file failed: %1</source>
            <translation>发送文件失败：%1</translation>
        </message>
        <message>
            <source>No data need to save</source>
            <translation>没有需要保存的数据</translation>
        </message>
        <message>
            <source>Save as</source>
            <translation>另存为</translation>
        </message>
        <message>
            <source>newtxt.txt</source>
            <translation>新文本.txt</translation>
        </message>
        <message>
            <source>Save failed:Open file %1 failed, can&apos;t save
%2</source>
            <translation>保存失败：打开文件 %1 失败，无法保存
%2</translation>
        </message>
        <message>
            <source>warning:</source>
            <translation>警告：</translation>
        </message>
        <message>
            <source>Error for Data</source>
            <translation>数据错误</translation>
        </message>
        <message>
            <source>Please enter &apos;0&apos; - &apos;9&apos;, &apos;A&apos; - &apos;F&apos;</source>
            <translation>请输入 0 - 9、A - F</translation>
        </message>
    </context>
    <context>
        <name>SerialFileSender</name>
        <message>
            <source>the port is closed</source>
            <translation>串口已关闭</translation>
        </message>
    </context>
</TS>
