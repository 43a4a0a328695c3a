<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Chinese To Unicode</source>
        <translation>中文转Unicode</translation>
    </message>
    <message>
        <source>Unicode To Chinese</source>
        <translation>Unicode转中文</translation>
    </message>
    <message>
        <source>Prefix "\U"</source>
        <translation>前缀 "\U"</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>加密</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>密钥</translation>
    </message>
    <message>
        <source>length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Decryption</source>
        <translation>解密</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <source>Receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Coils</source>
        <translation>线圈</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>功能码：</translation>
    </message>
    <message>
        <source>Starting Address:</source>
        <translation>起始地址：</translation>
    </message>
    <message>
        <source>Registers Value:</source>
        <translation>寄存器值：</translation>
    </message>
    <message>
        <source>Quantity:</source>
        <translation>数量：</translation>
    </message>
    <message>
        <source>01(Read Coils)</source>
        <translation>01(读线圈)</translation>
    </message>
    <message>
        <source>02(Read Discrete Inputs)</source>
        <translation>02(读离散输入)</translation>
    </message>
    <message>
        <source>03(Read Holding Registers)</source>
        <translation>03(读保持寄存器)</translation>
    </message>
    <message>
        <source>04(Read Input Registers)</source>
        <translation>04(读输入寄存器)</translation>
    </message>
    <message>
        <source>05(Write Single Coil)</source>
        <translation>05(写单个线圈)</translation>
    </message>
    <message>
        <source>06(Write Single Register)</source>
        <translation>06(写单个寄存器)</translation>
    </message>
    <message>
        <source>15(Write Multiple Coils)</source>
        <translation>15(写多个线圈)</translation>
    </message>
    <message>
        <source>16(Write Multiple Registers)</source>
        <translation>16(写多个寄存器)</translation>
    </message>
    <message>
        <source>Server Address:</source>
        <translation>从机地址：</translation>
    </message>
    <message>
        <source>Ultraviolet:</source>
        <translation>紫外线：</translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation>湿度：</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>温度：</translation>
    </message>
    <message>
        <source>Barometer:</source>
        <translation>气压：</translation>
    </message>
    <message>
        <source>Barometer</source>
        <translation>气压</translation>
    </message>
    <message>
        <source>Channel 0</source>
        <translation>通道 0</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>通道 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>通道 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>通道 3</translation>
    </message>
    <message>
        <source>LOG</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Bar Chart</source>
        <translation>柱状图</translation>
    </message>
    <message>
        <source>Line Chart</source>
        <translation>曲线图</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>清除日志</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Read Reg</source>
        <translation>读寄存器</translation>
    </message>
    <message>
        <source>Write Reg</source>
        <translation>写寄存器</translation>
    </message>
    <message>
        <source>Roll:</source>
        <translation>横滚角：</translation>
    </message>
    <message>
        <source>Yaw:</source>
        <translation>偏航角：</translation>
    </message>
    <message>
        <source>Quaternions:</source>
        <translation>四元数：</translation>
    </message>
    <message>
        <source>Pitch:</source>
        <translation>俯仰角：</translation>
    </message>
    <message>
        <source>Euler Angles:</source>
        <translation>欧拉角：</translation>
    </message>
</context>
</TS>
