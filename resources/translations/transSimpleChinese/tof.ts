<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>kalvest_tof</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
</context>
<context>
    <name>kalvest_tof_surface</name>
    <message>
        <source>The 3D view needs OpenGL, which this display does not offer.</source>
        <translation>3D 视图需要 OpenGL，当前显示环境不支持。</translation>
    </message>
</context>
</TS>
