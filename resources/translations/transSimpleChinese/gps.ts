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
    <message>
        <source>warning:</source>
        <translation>警告：</translation>
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
        <source>New client: </source>
        <translation>新客户端：</translation>
    </message>
    <message>
        <source>%1 Joined</source>
        <translation>%1 已加入</translation>
    </message>
    <message>
        <source>Client: </source>
        <translation>客户端：</translation>
    </message>
    <message>
        <source>%1 Left</source>
        <translation>%1 已离开</translation>
    </message>
    <message>
        <source>TCP receive </source>
        <translation>TCP 接收 </translation>
    </message>
    <message>
        <source>from:%1:%2</source>
        <translation>来自：%1:%2</translation>
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
    <name>GpsMapBridge</name>
    <message>
        <source>Map not available: %1</source>
        <translation>地图不可用：%1</translation>
    </message>
    <message>
        <source>IP location failed!</source>
        <translation>IP定位失败！</translation>
    </message>
    <message>
        <source>Map loading failed, please check the network!</source>
        <translation>地图加载失败，请检查网络！</translation>
    </message>
</context>
<context>
    <name>WebView</name>
    <message>
        <source>this display offers no OpenGL</source>
        <translation>此显示器不提供 OpenGL</translation>
    </message>
    <message>
        <source>the web engine could not be loaded (%1)</source>
        <translation>无法加载网页引擎（%1）</translation>
    </message>
</context>
<context>
    <name>CustomWebPage</name>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>GPScalculate</name>
    <message>
        <source>GPS calculation</source>
        <translation>GPS计算</translation>
    </message>
    <message>
        <source>Original longitude:</source>
        <translation>起点经度：</translation>
    </message>
    <message>
        <source>Original latitude:</source>
        <translation>起点纬度：</translation>
    </message>
    <message>
        <source>Target longitude:</source>
        <translation>终点经度：</translation>
    </message>
    <message>
        <source>Target latitude:</source>
        <translation>终点纬度：</translation>
    </message>
    <message>
        <source>result:</source>
        <translation>结果：</translation>
    </message>
    <message>
        <source>Km</source>
        <translation>公里</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>UTM Conversions</source>
        <translation>UTM转换</translation>
    </message>
    <message>
        <source>longitude:</source>
        <translation>经度：</translation>
    </message>
    <message>
        <source>latitude:</source>
        <translation>纬度：</translation>
    </message>
    <message>
        <source>UTM Northing:</source>
        <translation>UTM北坐标：</translation>
    </message>
    <message>
        <source>UTM Easting:</source>
        <translation>UTM东坐标：</translation>
    </message>
    <message>
        <source>UTM Zone:</source>
        <translation>UTM分带：</translation>
    </message>
    <message>
        <source>UNIT:meters</source>
        <translation>单位：米</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>Geodesy</name>
    <message>
        <source>The UTM zone must start with a zone number from 1 to 60.</source>
        <translation>UTM分带必须以 1 到 60 的带号开头。</translation>
    </message>
    <message>
        <source>The UTM zone must end with one band letter from C to X (not I or O).</source>
        <translation>UTM分带必须以 C 到 X 之间的一个纬度带字母结尾（不含 I 和 O）。</translation>
    </message>
    <message>
        <source>Easting and northing must be numbers.</source>
        <translation>东坐标和北坐标必须是数字。</translation>
    </message>
</context>
</TS>
