<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Send Data</source>
        <translation>发送数据</translation>
    </message>
    <message>
        <source>Keep Send</source>
        <translation>连续发送</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;以十六进制方式发送数据（默认为字符方式）&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hex to Send</source>
        <translation>十六进制发送</translation>
    </message>
    <message>
        <source>Send File</source>
        <translation>发送文件</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Clear Sendbox</source>
        <translation>清除发送</translation>
    </message>
    <message>
        <source>Interval(MS)</source>
        <translation>间隔(毫秒)</translation>
    </message>
    <message>
        <source>Receive Data</source>
        <translation>接收数据</translation>
    </message>
    <message>
        <source>Serial Setting</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>DTR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Stop Bits</source>
        <translation>停止位</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶</translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation>串口号</translation>
    </message>
    <message>
        <source>115200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>57600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>76800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>128000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>230400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>256000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>460800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>512000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>921600 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1000000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2000000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>Clear Receive</source>
        <translation>清除接收</translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Data Bits</source>
        <translation>数据位</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>计数</translation>
    </message>
    <message>
        <source>send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>已发送的字符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>已接收字节数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Count</source>
        <translation>清除计数</translation>
    </message>
    <message>
        <source>UDP Setting</source>
        <translation>UDP设置</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>1000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>127.0.0.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote IP:</source>
        <translation>远程IP：</translation>
    </message>
    <message>
        <source>Local Port:</source>
        <translation>本地端口：</translation>
    </message>
    <message>
        <source>Remote Port:</source>
        <translation>远程端口：</translation>
    </message>
    <message>
        <source>Local IP:</source>
        <translation>本地IP：</translation>
    </message>
    <message>
        <source>TCP Setting</source>
        <translation>TCP设置</translation>
    </message>
    <message>
        <source>TCP Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TCP Client</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>模式：</translation>
    </message>
    <message>
        <source>GPS information</source>
        <translation>GPS信息</translation>
    </message>
    <message>
        <source>GPS satellite:</source>
        <translation>GPS卫星：</translation>
    </message>
    <message>
        <source>Null</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>Use satellite:</source>
        <translation>使用卫星：</translation>
    </message>
    <message>
        <source>Altitude:</source>
        <translation>海拔：</translation>
    </message>
    <message>
        <source>Level factor:</source>
        <translation>水平精度因子：</translation>
    </message>
    <message>
        <source>Vertical factor:</source>
        <translation>垂直精度因子：</translation>
    </message>
    <message>
        <source>Location factor:</source>
        <translation>位置精度因子：</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>经度：</translation>
    </message>
    <message>
        <source>Location state:</source>
        <translation>定位状态：</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>纬度：</translation>
    </message>
    <message>
        <source>UTC:</source>
        <translation>UTC时间：</translation>
    </message>
    <message>
        <source>Beidou satellite:</source>
        <translation>北斗卫星：</translation>
    </message>
    <message>
        <source>Serial Message</source>
        <translation>串口消息</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>导航</translation>
    </message>
    <message>
        <source>Track the GPS moving map</source>
        <translation>地图跟随GPS移动</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>COM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save latitude and longitude</source>
        <translation>保存经纬度</translation>
    </message>
    <message>
        <source>TCP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import  track</source>
        <translation>导入轨迹</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>Send SMS</source>
        <translation>发送短信</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
hr { height: 1px; border-width: 0; }
li.unchecked::marker { content: &quot;\2610&quot;; }
li.checked::marker { content: &quot;\2612&quot;; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;table border=&quot;0&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px;&quot; cellspacing=&quot;2&quot; cellpadding=&quot;0&quot;&gt;
&lt;tr&gt;
&lt;td colspan=&quot;2&quot; style=&quot;border: none;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Cantarell&apos;; font-size:11pt;&quot;&gt;Phone number&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
hr { height: 1px; border-width: 0; }
li.unchecked::marker { content: &quot;\2610&quot;; }
li.checked::marker { content: &quot;\2612&quot;; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;table border=&quot;0&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px;&quot; cellspacing=&quot;2&quot; cellpadding=&quot;0&quot;&gt;
&lt;tr&gt;
&lt;td colspan=&quot;2&quot; style=&quot;border: none;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Cantarell&apos;; font-size:11pt;&quot;&gt;电话号码&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
hr { height: 1px; border-width: 0; }
li.unchecked::marker { content: &quot;\2610&quot;; }
li.checked::marker { content: &quot;\2612&quot;; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;a name=&quot;result_box&quot;&gt;&lt;/a&gt;&lt;span style=&quot; font-family:&apos;Cantarell&apos;; font-size:11pt;&quot;&gt;S&lt;/span&gt;&lt;span style=&quot; font-family:&apos;Cantarell&apos;; font-size:11pt;&quot;&gt;MS content&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
hr { height: 1px; border-width: 0; }
li.unchecked::marker { content: &quot;\2610&quot;; }
li.checked::marker { content: &quot;\2612&quot;; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;a name=&quot;result_box&quot;&gt;&lt;/a&gt;&lt;span style=&quot; font-family:&apos;Cantarell&apos;; font-size:11pt;&quot;&gt;短&lt;/span&gt;&lt;span style=&quot; font-family:&apos;Cantarell&apos;; font-size:11pt;&quot;&gt;信内容&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Call phone</source>
        <translation>拨打电话</translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call</source>
        <translation>拨号</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>挂断</translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Redial</source>
        <translation>自动重拨</translation>
    </message>
    <message>
        <source>signal value</source>
        <translation>信号值</translation>
    </message>
    <message>
        <source>Read SMS</source>
        <translation>读取短信</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>GPRS Test - TCP Client</source>
        <translation>GPRS测试 - TCP客户端</translation>
    </message>
    <message>
        <source>Server IP:</source>
        <translation>服务器IP：</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
hr { height: 1px; border-width: 0; }
li.unchecked::marker { content: &quot;\2610&quot;; }
li.checked::marker { content: &quot;\2612&quot;; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px; font-size:10pt;&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Function switch</source>
        <translation>功能开关</translation>
    </message>
    <message>
        <source>Show Caller</source>
        <translation>来电显示</translation>
    </message>
    <message>
        <source>Call Music</source>
        <translation>来电铃声</translation>
    </message>
    <message>
        <source>SMS text mode</source>
        <translation>短信文本模式</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>协议</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>mqtt://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mqtts://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ws://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wss://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Client ID</source>
        <translation>客户端ID</translation>
    </message>
    <message>
        <source>Subscribe Topic</source>
        <translation>订阅主题</translation>
    </message>
    <message>
        <source>Publish Topic</source>
        <translation>发布主题</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>订阅</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>发布</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>192.168.1.10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
</context>
</TS>
