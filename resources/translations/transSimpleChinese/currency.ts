<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>AUD(Australian Dollar)</source>
        <translation>AUD(澳大利亚元)</translation>
    </message>
    <message>
        <source>BGN(Bulgarian Lev)</source>
        <translation>BGN(保加利亚列弗)</translation>
    </message>
    <message>
        <source>BRL(Brazilian Real)</source>
        <translation>BRL(巴西雷亚尔)</translation>
    </message>
    <message>
        <source>CAD(Canadian Dollar)</source>
        <translation>CAD(加拿大元)</translation>
    </message>
    <message>
        <source>CHF(Swiss Franc)</source>
        <translation>CHF(瑞士法郎)</translation>
    </message>
    <message>
        <source>CNY(Chinese Yuan)</source>
        <translation>CNY(人民币)</translation>
    </message>
    <message>
        <source>CZK(Czech Koruna)</source>
        <translation>CZK(捷克克朗)</translation>
    </message>
    <message>
        <source>DKK(Danish Krone)</source>
        <translation>DKK(丹麦克朗)</translation>
    </message>
    <message>
        <source>EUR(Euro)</source>
        <translation>EUR(欧元)</translation>
    </message>
    <message>
        <source>GBP(British Pound Sterling)</source>
        <translation>GBP(英镑)</translation>
    </message>
    <message>
        <source>HKD(Hong Kong Dollar)</source>
        <translation>HKD(港元)</translation>
    </message>
    <message>
        <source>HUF(Hungarian Forint)</source>
        <translation>HUF(匈牙利福林)</translation>
    </message>
    <message>
        <source>IDR(Indonesian Rupiah)</source>
        <translation>IDR(印度尼西亚卢比)</translation>
    </message>
    <message>
        <source>ILS(Israeli New Shekel)</source>
        <translation>ILS(以色列新谢克尔)</translation>
    </message>
    <message>
        <source>INR(Indian Rupee)</source>
        <translation>INR(印度卢比)</translation>
    </message>
    <message>
        <source>ISK(Icelandic Króna)</source>
        <translation>ISK(冰岛克朗)</translation>
    </message>
    <message>
        <source>JPY(Japanese Yen)</source>
        <translation>JPY(日元)</translation>
    </message>
    <message>
        <source>KRW(South Korean Won)</source>
        <translation>KRW(韩元)</translation>
    </message>
    <message>
        <source>MXN(Mexican Peso)</source>
        <translation>MXN(墨西哥比索)</translation>
    </message>
    <message>
        <source>MYR(Malaysian Ringgit)</source>
        <translation>MYR(马来西亚林吉特)</translation>
    </message>
    <message>
        <source>NOK(Norwegian Krone)</source>
        <translation>NOK(挪威克朗)</translation>
    </message>
    <message>
        <source>NZD(New Zealand Dollar)</source>
        <translation>NZD(新西兰元)</translation>
    </message>
    <message>
        <source>PHP(Philippine Peso)</source>
        <translation>PHP(菲律宾比索)</translation>
    </message>
    <message>
        <source>PLN(Polish Złoty)</source>
        <translation>PLN(波兰兹罗提)</translation>
    </message>
    <message>
        <source>RON(Romanian Leu)</source>
        <translation>RON(罗马尼亚列伊)</translation>
    </message>
    <message>
        <source>SEK(Swedish Krona)</source>
        <translation>SEK(瑞典克朗)</translation>
    </message>
    <message>
        <source>SGD(Singapore Dollar)</source>
        <translation>SGD(新加坡元)</translation>
    </message>
    <message>
        <source>THB(Thai Baht)</source>
        <translation>THB(泰铢)</translation>
    </message>
    <message>
        <source>TRY(Turkish Lira)</source>
        <translation>TRY(土耳其里拉)</translation>
    </message>
    <message>
        <source>USD(United States Dollar)</source>
        <translation>USD(美元)</translation>
    </message>
    <message>
        <source>ZAR(South African Rand)</source>
        <translation>ZAR(南非兰特)</translation>
    </message>
</context>
</TS>
