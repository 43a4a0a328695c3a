<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Info: </source>
        <translation>提示: </translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>错误: </translation>
    </message>
    <message>
        <source>Calling...</source>
        <translation>正在通话...</translation>
    </message>
    <message>
        <source>call ended</source>
        <translation>通话结束</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>对方忙</translation>
    </message>
    <message>
        <source>Have a new call:</source>
        <translation>有新来电:</translation>
    </message>
    <message>
        <source>Have new SMS, SMS box:: </source>
        <translation>有新短信, 短信位置:: </translation>
    </message>
    <message>
        <source>No response</source>
        <translation>无响应</translation>
    </message>
    <message>
        <source>The modem refused %1: %2</source>
        <translation>模块拒绝了 %1：%2</translation>
    </message>
    <message>
        <source>Initialization completed</source>
        <translation>初始化完成</translation>
    </message>
    <message>
        <source>Already cleared</source>
        <translation>已清除</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>短信</translation>
    </message>
    <message>
        <source>Please enter the number of the SMS box you need to read.</source>
        <translation>请输入需要读取的短信位置编号。</translation>
    </message>
    <message>
        <source>Please enter the number of the SMS box to be deleted.</source>
        <translation>请输入需要删除的短信位置编号。</translation>
    </message>
    <message>
        <source>SMS sent successfully</source>
        <translation>短信发送成功</translation>
    </message>
    <message>
        <source>SMS sent failed</source>
        <translation>短信发送失败</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
</context>
</TS>
