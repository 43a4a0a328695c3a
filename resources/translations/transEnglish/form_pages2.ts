<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>Chinese To Unicode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode To Chinese</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prefix "\U"</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DES - CBC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2DES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3DES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base64</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registers Value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>01(Read Coils)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>02(Read Discrete Inputs)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>03(Read Holding Registers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>04(Read Input Registers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>05(Write Single Coil)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>06(Write Single Register)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15(Write Multiple Coils)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16(Write Multiple Registers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ultraviolet:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CO₂:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Barometer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TVOC:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AS7341</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AS7343</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AS7265X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bar Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Reg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Reg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VL53LMZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TMF8828</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TMF8829</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4x4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8x8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Roll:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>w:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yaw:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quaternions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Euler Angles:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
