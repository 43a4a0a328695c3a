<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>kalvest_3d_imu</name>
    <message>
        <source>3D view not available: this display offers no OpenGL.</source>
        <translation>3D 视图不可用：此显示器不提供 OpenGL。</translation>
    </message>
</context>
<context>
    <name>kalvest_cie_widget</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>CIE x :</source>
        <translation>CIE x :</translation>
    </message>
    <message>
        <source>CIE y :</source>
        <translation>CIE y :</translation>
    </message>
    <message>
        <source>Lux :</source>
        <translation>照度 :</translation>
    </message>
    <message>
        <source>CCT :</source>
        <translation>色温 :</translation>
    </message>
    <message>
        <source>标记位置</source>
        <translation>标记位置</translation>
    </message>
</context>
</TS>
