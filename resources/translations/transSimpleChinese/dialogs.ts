<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>About</source>
            <translation>关于</translation>
        </message>
        <message>
            <source>&lt;!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0//EN" "http://www.w3.org/TR/REC-html40/strict.dtd"&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name="qrichtext" content="1" /&gt;&lt;meta charset="utf-8" /&gt;&lt;style type="text/css"&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=" font-family:'Microsoft YaHei UI'; font-size:13pt; font-weight:400; font-style:normal;"&gt;
&lt;table border="0" style=" margin-top:4px; margin-bottom:4px; margin-left:4px; margin-right:4px;"&gt;
&lt;tr&gt;
&lt;td style="border: none;"&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'Sans Serif'; font-size:16pt; font-weight:600;"&gt;VELM&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style="-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;br /&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;Version:3.4.2&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style="-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;br /&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;Visit https://www.example.com&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;Example Store: https://store.example.com&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;Example Shop: https://shop.example.org&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation>&lt;!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0//EN" "http://www.w3.org/TR/REC-html40/strict.dtd"&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name="qrichtext" content="1" /&gt;&lt;meta charset="utf-8" /&gt;&lt;style type="text/css"&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=" font-family:'Microsoft YaHei UI'; font-size:13pt; font-weight:400; font-style:normal;"&gt;
&lt;table border="0" style=" margin-top:4px; margin-bottom:4px; margin-left:4px; margin-right:4px;"&gt;
&lt;tr&gt;
&lt;td style="border: none;"&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'Sans Serif'; font-size:16pt; font-weight:600;"&gt;VELM&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style="-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;br /&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;版本：3.4.2&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style="-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;br /&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;访问 https://www.example.com&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;Example Store: https://store.example.com&lt;/span&gt;&lt;/p&gt;
&lt;p align="center" style=" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;"&gt;&lt;span style=" font-family:'SimSun'; font-size:9pt;"&gt;Example Shop: https://shop.example.org&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
    </context>
    <context>
        <name>COM_Expand</name>
        <message>
            <source>Dialog</source>
            <translation>扩展命令</translation>
        </message>
        <message>
            <source>command1</source>
            <translation>命令1</translation>
        </message>
        <message>
            <source>command2</source>
            <translation>命令2</translation>
        </message>
        <message>
            <source>command3</source>
            <translation>命令3</translation>
        </message>
        <message>
            <source>command4</source>
            <translation>命令4</translation>
        </message>
        <message>
            <source>command5</source>
            <translation>命令5</translation>
        </message>
        <message>
            <source>command6</source>
            <translation>命令6</translation>
        </message>
        <message>
            <source>command7</source>
            <translation>命令7</translation>
        </message>
        <message>
            <source>command8</source>
            <translation>命令8</translation>
        </message>
        <message>
            <source>command9</source>
            <translation>命令9</translation>
        </message>
        <message>
            <source>command10</source>
            <translation>命令10</translation>
        </message>
        <message>
            <source>command11</source>
            <translation>命令11</translation>
        </message>
        <message>
            <source>command12</source>
            <translation>命令12</translation>
        </message>
        <message>
            <source>Save Config</source>
            <translation>保存配置</translation>
        </message>
    </context>
    <context>
        <name>Config</name>
        <message>
            <source>Config</source>
            <translation>配置</translation>
        </message>
        <message>
            <source>Function selection</source>
            <translation>功能选择</translation>
        </message>
        <message>
            <source>Serial</source>
            <translation>串口</translation>
        </message>
        <message>
            <source>UDP</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>TCP</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>GPS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>GSM</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>UNICODE</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Environment</source>
            <translation>环境</translation>
        </message>
        <message>
            <source>Crypty</source>
            <translation>加解密</translation>
        </message>
        <message>
            <source>Oscilloscope</source>
            <translation>示波器</translation>
        </message>
        <message>
            <source>MQTT</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Ble</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Spectra</source>
            <translation>光谱</translation>
        </message>
        <message>
            <source>Convert</source>
            <translation>单位换算</translation>
        </message>
        <message>
            <source>i2cdump</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>TOF</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Modbus</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Hextools</source>
            <translation>十六进制工具</translation>
        </message>
        <message>
            <source>CIE</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>IMU</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>OpenStreet Map</source>
            <translation>OpenStreet 地图</translation>
        </message>
        <message>
            <source>Baidu Map</source>
            <translation>百度地图</translation>
        </message>
        <message>
            <source>Auto scan serial port</source>
            <translation>自动扫描串口</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
    </context>
    <context>
        <name>Help</name>
        <message>
            <source>Help</source>
            <translation>使用帮助</translation>
        </message>
        <message>
            <source>GPS:</source>
            <translation>GPS：</translation>
        </message>
        <message>
            <source>TCP server receive format:</source>
            <translation>TCP 服务器接收格式：</translation>
        </message>
        <message>
            <source>Latitude:xx.xxxxx,Longitude:xxx.xxxxx\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>eg.:</source>
            <translation>例：</translation>
        </message>
        <message>
            <source>Environment:</source>
            <translation>环境：</translation>
        </message>
        <message>
            <source>Temperature receive format:</source>
            <translation>温度接收格式：</translation>
        </message>
        <message>
            <source>Temperature:xx.xxC\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Humidity receive format:</source>
            <translation>湿度接收格式：</translation>
        </message>
        <message>
            <source>Humidity:xx.xx%\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Ultraviolet receive format:</source>
            <translation>紫外线接收格式：</translation>
        </message>
        <message>
            <source>Ultraviolet:xxxx\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>CO2 receive format:</source>
            <translation>二氧化碳接收格式：</translation>
        </message>
        <message>
            <source>CO2:xxxxxppm\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>TVOC receive format:</source>
            <translation>TVOC 接收格式：</translation>
        </message>
        <message>
            <source>TVOC:xxxxxppb\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Barometer receive format:</source>
            <translation>气压接收格式：</translation>
        </message>
        <message>
            <source>Barometer:xxxxPa\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Oscilloscope:</source>
            <translation>示波器：</translation>
        </message>
        <message>
            <source>Oscilloscope receive format:</source>
            <translation>示波器接收格式：</translation>
        </message>
        <message>
            <source>$0:xxxxx;$1:xxxxx;$2:xxxxx;$3:xxxxx;\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Spectra:</source>
            <translation>光谱：</translation>
        </message>
        <message>
            <source>Spectra receive format(int):</source>
            <translation>光谱接收格式（整数）：</translation>
        </message>
        <message>
            <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:10pt; font-weight:700;"&gt;AS7341:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nNIR:xxxx\r\n&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:10pt; font-weight:700;"&gt;AS7343:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nNIR:xxxx\r\nFXL:xxxx\r\nFZ:xxxx\r\nFY:xxxx\r\n&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:10pt; font-weight:700;"&gt;AS7265X:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nF9:xxxx\r\nF10:xxxx\r\nF11:xxxx\r\nF12:xxxx\r\nF13:xxxx\r\nF14:xxxx\r\nF15:xxxx\r\nF16:xxxx\r\nF17:xxxx\r\nF18:xxxx\r\n&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>TOF:</source>
            <translation>TOF：</translation>
        </message>
        <message>
            <source>TOF receive format(int):</source>
            <translation>TOF 接收格式（整数）：</translation>
        </message>
        <message>
            <source>xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx...xxxx,xxxx,\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>CIE:</source>
            <translation>CIE：</translation>
        </message>
        <message>
            <source>CIE receive format(float):</source>
            <translation>CIE 接收格式（浮点）：</translation>
        </message>
        <message>
            <source>CIEX:x.xxxxx;CIEY:x.xxxxx;LUX:xxxx.xxxx;CCT:xxx.xxxx\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>IMU:</source>
            <translation>IMU：</translation>
        </message>
        <message>
            <source>IMU receive format(float):</source>
            <translation>IMU 接收格式（浮点）：</translation>
        </message>
        <message>
            <source>W:x.xxxxx;X:x.xxxxx;Y:xxxx.xxxx;Z:xxx.xxxx\r\n</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Message</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>The settings could not be saved to %1. The program was not restarted.</source>
            <translation>无法将配置保存到 %1，程序没有重启。</translation>
        </message>
        <message>
            <source>The program could not be restarted. The settings are saved and take effect at the next start.</source>
            <translation>程序无法重启。配置已保存，下次启动时生效。</translation>
        </message>
        <message>
            <source>Network connection lost. Please check your network settings.</source>
            <translation>网络连接失败，请检查网络设置。</translation>
        </message>
        <message>
            <source>Found a new version.</source>
            <translation>发现新版本。</translation>
        </message>
        <message>
            <source>Already the latest version.</source>
            <translation>已是最新版本。</translation>
        </message>
        <message>
            <source>command</source>
            <translation>命令</translation>
        </message>
        <message>
            <source>Serial port not open, nothing sent</source>
            <translation>串口未打开，未发送</translation>
        </message>
        <message>
            <source>Send failed: %1</source>
            <translation>发送失败：%1</translation>
        </message>
        <message>
            <source>Send Success</source>
            <translation>发送成功</translation>
        </message>
    </context>
</TS>
