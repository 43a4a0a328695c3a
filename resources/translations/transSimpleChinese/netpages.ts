<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>%1 joined</source>
        <translation>%1 已加入</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 已离开</translation>
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
        <source>IP or Port is empty!</source>
        <translation>IP 或端口为空！</translation>
    </message>
    <message>
        <source>No server found</source>
        <translation>未找到服务器</translation>
    </message>
    <message>
        <source>No server found: %1</source>
        <translation>未找到服务器：%1</translation>
    </message>
    <message>
        <source>Port is empty!</source>
        <translation>端口为空！</translation>
    </message>
    <message>
        <source>Server failed to start: %1</source>
        <translation>服务器启动失败：%1</translation>
    </message>
    <message>
        <source>Server has started</source>
        <translation>服务器已启动</translation>
    </message>
    <message>
        <source>Server has stopped</source>
        <translation>服务器已停止</translation>
    </message>
    <message>
        <source>The client %1:%2</source>
        <translation>客户端 %1:%2</translation>
    </message>
    <message>
        <source>The server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>TCP receive </source>
        <translation>TCP 接收 </translation>
    </message>
    <message>
        <source>client: </source>
        <translation>客户端：</translation>
    </message>
    <message>
        <source>from:%1:%2</source>
        <translation>来自：%1:%2</translation>
    </message>
    <message>
        <source>new client: </source>
        <translation>新客户端：</translation>
    </message>
    <message>
        <source>warning:</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>The remote address %1:%2 is not valid, nothing was sent</source>
        <translation>远程地址 %1:%2 无效，未发送任何数据</translation>
    </message>
    <message>
        <source>UDP failed to start: %1</source>
        <translation>UDP 启动失败：%1</translation>
    </message>
    <message>
        <source>UDP failed to start: %1</source>
        <translation>UDP 启动失败：%1</translation>
    </message>
    <message>
        <source>UDP receive </source>
        <translation>UDP 接收 </translation>
    </message>
    <message>
        <source>UDP send failed: %1</source>
        <translation>UDP 发送失败：%1</translation>
    </message>
    <message>
        <source>UDP starts listening</source>
        <translation>UDP 开始监听</translation>
    </message>
    <message>
        <source>UDP starts listening; the remote address %1:%2 is not valid, nothing will be sent</source>
        <translation>UDP 开始监听；远程地址 %1:%2 无效，将不发送任何数据</translation>
    </message>
    <message>
        <source>UDP stop listening</source>
        <translation>UDP 停止监听</translation>
    </message>
</context>
<context>
    <name>TerminalPanel</name>
    <message>
        <source>Send failed: %1</source>
        <translation>发送失败：%1</translation>
    </message>
    <message>
        <source>not open</source>
        <translation>未打开</translation>
    </message>
    <message>
        <source>not open for writing</source>
        <translation>未以写方式打开</translation>
    </message>
    <message>
        <source>%1 is not reading; nothing more is sent until it has taken what is already waiting</source>
        <translation>%1 没有读取数据；在它取走已在等待的数据之前不再发送</translation>
    </message>
    <message>
        <source>Counter has been cleared</source>
        <translation>计数已清除</translation>
    </message>
    <message>
        <source>Disable Keep sending</source>
        <translation>已关闭连续发送</translation>
    </message>
    <message>
        <source>Enable Keep sending</source>
        <translation>已开启连续发送</translation>
    </message>
    <message>
        <source>Load failed: file size is %1 bytes, Exceeded the limit size 10000 bytes</source>
        <translation>加载失败：文件大小为 %1 字节，超过限制 10000 字节</translation>
    </message>
    <message>
        <source>No Data</source>
        <translation>没有数据</translation>
    </message>
    <message>
        <source>No data need to save</source>
        <translation>没有需要保存的数据</translation>
    </message>
    <message>
        <source>Open failed: Failed to open this file, this may be due to insufficient permissions.</source>
        <translation>打开失败：无法打开此文件，可能是权限不足。</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Read file</source>
        <translation>读取文件</translation>
    </message>
    <message>
        <source>Receive has been cleared</source>
        <translation>接收已清除</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save failed:Open file %1 failed, can't save
%2</source>
        <translation>保存失败：打开文件 %1 失败，无法保存
%2</translation>
    </message>
    <message>
        <source>Send has been cleared</source>
        <translation>发送已清除</translation>
    </message>
    <message>
        <source>Success for read the data in the file</source>
        <translation>已成功读取文件中的数据</translation>
    </message>
    <message>
        <source>newtxt.txt</source>
        <translation>newtxt.txt</translation>
    </message>
</context>
<context>
    <name>PortNumber</name>
    <message>
        <source>Port &quot;%1&quot; is not a number from 1 to 65535!</source>
        <translation>端口“%1”不是 1 到 65535 之间的数字！</translation>
    </message>
</context>
</TS>
