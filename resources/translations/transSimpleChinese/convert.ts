<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>kalvest_convert</name>
    <message>
        <source>kalvest_convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exchangerates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lengths</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Energy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Magnetic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conductance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capacitance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inductance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DataStorage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km(kilometer)</source>
        <translation>km(千米)</translation>
    </message>
    <message>
        <source>m(meter)</source>
        <translation>m(米)</translation>
    </message>
    <message>
        <source>dm(decimeter)</source>
        <translation>dm(分米)</translation>
    </message>
    <message>
        <source>cm(centimeter)</source>
        <translation>cm(厘米)</translation>
    </message>
    <message>
        <source>mm(millimeter)</source>
        <translation>mm(毫米)</translation>
    </message>
    <message>
        <source>µm(micrometer)</source>
        <translation>µm(微米)</translation>
    </message>
    <message>
        <source>nm(nanometer)</source>
        <translation>nm(纳米)</translation>
    </message>
    <message>
        <source>Å(angstrom)</source>
        <translation>Å(埃)</translation>
    </message>
    <message>
        <source>pm(picometer)</source>
        <translation>pm(皮米)</translation>
    </message>
    <message>
        <source>mi(mile)</source>
        <translation>mi(英里)</translation>
    </message>
    <message>
        <source>ft(feet)</source>
        <translation>ft(英尺)</translation>
    </message>
    <message>
        <source>in(inch)</source>
        <translation>in(英寸)</translation>
    </message>
    <message>
        <source>mil(mill)</source>
        <translation>mil(密耳)</translation>
    </message>
    <message>
        <source>M(nautical mile)</source>
        <translation>M(海里)</translation>
    </message>
    <message>
        <source>yd(yard)</source>
        <translation>yd(码)</translation>
    </message>
    <message>
        <source>au(astronomical unit)</source>
        <translation>au(天文单位)</translation>
    </message>
    <message>
        <source>ly(light year)</source>
        <translation>ly(光年)</translation>
    </message>
    <message>
        <source>ls(light second)</source>
        <translation>ls(光秒)</translation>
    </message>
    <message>
        <source>pc(parsec)</source>
        <translation>pc(秒差距)</translation>
    </message>
    <message>
        <source>ng(nanogram)</source>
        <translation>ng(纳克)</translation>
    </message>
    <message>
        <source>µg(microgram)</source>
        <translation>µg(微克)</translation>
    </message>
    <message>
        <source>mg(milligram)</source>
        <translation>mg(毫克)</translation>
    </message>
    <message>
        <source>cg(centigram)</source>
        <translation>cg(厘克)</translation>
    </message>
    <message>
        <source>g(gram)</source>
        <translation>g(克)</translation>
    </message>
    <message>
        <source>kg(kilogram)</source>
        <translation>kg(千克)</translation>
    </message>
    <message>
        <source>t(ton)</source>
        <translation>t(吨)</translation>
    </message>
    <message>
        <source>lb(pound)</source>
        <translation>lb(磅)</translation>
    </message>
    <message>
        <source>st(stone)</source>
        <translation>st(英石)</translation>
    </message>
    <message>
        <source>oz(ounce)</source>
        <translation>oz(盎司)</translation>
    </message>
    <message>
        <source>ozt(troy ounce)</source>
        <translation>ozt(金衡盎司)</translation>
    </message>
    <message>
        <source>dwt(pennyweight)</source>
        <translation>dwt(英钱)</translation>
    </message>
    <message>
        <source>ct(carat)</source>
        <translation>ct(克拉)</translation>
    </message>
    <message>
        <source>u(unified atomic mass unit)</source>
        <translation>u(原子质量单位)</translation>
    </message>
    <message>
        <source>km²(square kilometre)</source>
        <translation>km²(平方千米)</translation>
    </message>
    <message>
        <source>m²(square metre)</source>
        <translation>m²(平方米)</translation>
    </message>
    <message>
        <source>cm²(square centimetre)</source>
        <translation>cm²(平方厘米)</translation>
    </message>
    <message>
        <source>mm²(square millimetre)</source>
        <translation>mm²(平方毫米)</translation>
    </message>
    <message>
        <source>in²(square inch)</source>
        <translation>in²(平方英寸)</translation>
    </message>
    <message>
        <source>ft²(square foot)</source>
        <translation>ft²(平方英尺)</translation>
    </message>
    <message>
        <source>yd²(square yard)</source>
        <translation>yd²(平方码)</translation>
    </message>
    <message>
        <source>mi²(square mile)</source>
        <translation>mi²(平方英里)</translation>
    </message>
    <message>
        <source>ha(hectare)</source>
        <translation>ha(公顷)</translation>
    </message>
    <message>
        <source>ac(acre)</source>
        <translation>ac(英亩)</translation>
    </message>
    <message>
        <source>a(square are)</source>
        <translation>a(公亩)</translation>
    </message>
    <message>
        <source>m³(cubic meter)</source>
        <translation>m³(立方米)</translation>
    </message>
    <message>
        <source>dm³(cubic decimeter)</source>
        <translation>dm³(立方分米)</translation>
    </message>
    <message>
        <source>cm³(cubic centimeter)</source>
        <translation>cm³(立方厘米)</translation>
    </message>
    <message>
        <source>mm³(cubic millimeter)</source>
        <translation>mm³(立方毫米)</translation>
    </message>
    <message>
        <source>in³(cubic inch)</source>
        <translation>in³(立方英寸)</translation>
    </message>
    <message>
        <source>ft³(cubic foot)</source>
        <translation>ft³(立方英尺)</translation>
    </message>
    <message>
        <source>L(liter)</source>
        <translation>L(升)</translation>
    </message>
    <message>
        <source>mL(milliliter)</source>
        <translation>mL(毫升)</translation>
    </message>
    <message>
        <source>cup(cup)</source>
        <translation>cup(杯)</translation>
    </message>
    <message>
        <source>UK gal(UK gallon)</source>
        <translation>UK gal(英制加仑)</translation>
    </message>
    <message>
        <source>UK pt(UK pint)</source>
        <translation>UK pt(英制品脱)</translation>
    </message>
    <message>
        <source>UK fl oz(UK Fluid ounce)</source>
        <translation>UK fl oz(英制液量盎司)</translation>
    </message>
    <message>
        <source>UK oz(UK ounce)</source>
        <translation>UK oz(英制盎司)</translation>
    </message>
    <message>
        <source>US gal(US gallon)</source>
        <translation>US gal(美制加仑)</translation>
    </message>
    <message>
        <source>US pt(US pint)</source>
        <translation>US pt(美制品脱)</translation>
    </message>
    <message>
        <source>US fl oz(US Fluid ounce)</source>
        <translation>US fl oz(美制液量盎司)</translation>
    </message>
    <message>
        <source>US oz(US ounce)</source>
        <translation>US oz(美制盎司)</translation>
    </message>
    <message>
        <source>tbsp(tablespoon)</source>
        <translation>tbsp(汤匙)</translation>
    </message>
    <message>
        <source>N(newton)</source>
        <translation>N(牛顿)</translation>
    </message>
    <message>
        <source>dyn(dyne)</source>
        <translation>dyn(达因)</translation>
    </message>
    <message>
        <source>lbf(pound-force)</source>
        <translation>lbf(磅力)</translation>
    </message>
    <message>
        <source>kgf(kilogram-force)</source>
        <translation>kgf(千克力)</translation>
    </message>
    <message>
        <source>pdl(poundal)</source>
        <translation>pdl(磅达)</translation>
    </message>
    <message>
        <source>N·m(Newton-meter)</source>
        <translation>N·m(牛·米)</translation>
    </message>
    <message>
        <source>dyn·cm(Dyne·cm)</source>
        <translation>dyn·cm(达因·厘米)</translation>
    </message>
    <message>
        <source>lbf·ft(Pound-force foot)</source>
        <translation>lbf·ft(磅力·英尺)</translation>
    </message>
    <message>
        <source>kgf·m(Kilogram-force meter)</source>
        <translation>kgf·m(千克力·米)</translation>
    </message>
    <message>
        <source>pdl·m(Poundal·m)</source>
        <translation>pdl·m(磅达·米)</translation>
    </message>
    <message>
        <source>c(century)</source>
        <translation>c(世纪)</translation>
    </message>
    <message>
        <source>a(year)</source>
        <translation>a(年)</translation>
    </message>
    <message>
        <source>m(month)</source>
        <translation>m(月)</translation>
    </message>
    <message>
        <source>w(week)</source>
        <translation>w(周)</translation>
    </message>
    <message>
        <source>d(day)</source>
        <translation>d(天)</translation>
    </message>
    <message>
        <source>h(hour)</source>
        <translation>h(小时)</translation>
    </message>
    <message>
        <source>min(minute)</source>
        <translation>min(分钟)</translation>
    </message>
    <message>
        <source>s(second)</source>
        <translation>s(秒)</translation>
    </message>
    <message>
        <source>ms(millisecond)</source>
        <translation>ms(毫秒)</translation>
    </message>
    <message>
        <source>μs(microsecond)</source>
        <translation>μs(微秒)</translation>
    </message>
    <message>
        <source>ns(nanosecond)</source>
        <translation>ns(纳秒)</translation>
    </message>
    <message>
        <source>fs(femtosecond)</source>
        <translation>fs(飞秒)</translation>
    </message>
    <message>
        <source>as(attosecond)</source>
        <translation>as(阿秒)</translation>
    </message>
    <message>
        <source>m/s(meter per second)</source>
        <translation>m/s(米每秒)</translation>
    </message>
    <message>
        <source>m/min(meter per minute)</source>
        <translation>m/min(米每分)</translation>
    </message>
    <message>
        <source>m/h(meter per hour)</source>
        <translation>m/h(米每时)</translation>
    </message>
    <message>
        <source>km/min(kilometer per minute)</source>
        <translation>km/min(千米每分)</translation>
    </message>
    <message>
        <source>km/h(kilometer per hour)</source>
        <translation>km/h(千米每时)</translation>
    </message>
    <message>
        <source>ft/s(foot per second)</source>
        <translation>ft/s(英尺每秒)</translation>
    </message>
    <message>
        <source>ft/min(foot per minute)</source>
        <translation>ft/min(英尺每分)</translation>
    </message>
    <message>
        <source>ft/h(foot per hour)</source>
        <translation>ft/h(英尺每时)</translation>
    </message>
    <message>
        <source>mi/min(mile per minute)</source>
        <translation>mi/min(英里每分)</translation>
    </message>
    <message>
        <source>mi/h(mile per hour)</source>
        <translation>mi/h(英里每时)</translation>
    </message>
    <message>
        <source>knot(knot)</source>
        <translation>knot(节)</translation>
    </message>
    <message>
        <source>°C(celsius)</source>
        <translation>°C(摄氏度)</translation>
    </message>
    <message>
        <source>°F(fahrenheit)</source>
        <translation>°F(华氏度)</translation>
    </message>
    <message>
        <source>K(kelvin)</source>
        <translation>K(开尔文)</translation>
    </message>
    <message>
        <source>°Ré(réaumur)</source>
        <translation>°Ré(列氏度)</translation>
    </message>
    <message>
        <source>°Rø(rankine)</source>
        <translation>°Rø(罗氏度)</translation>
    </message>
    <message>
        <source>°De(delisle)</source>
        <translation>°De(德氏度)</translation>
    </message>
    <message>
        <source>°R(rankine)</source>
        <translation>°R(兰氏度)</translation>
    </message>
    <message>
        <source>°N(newton)</source>
        <translation>°N(牛顿度)</translation>
    </message>
    <message>
        <source>mPa(millipascal)</source>
        <translation>mPa(毫帕)</translation>
    </message>
    <message>
        <source>Pa(pascal)</source>
        <translation>Pa(帕斯卡)</translation>
    </message>
    <message>
        <source>hPa(hectopascal)</source>
        <translation>hPa(百帕)</translation>
    </message>
    <message>
        <source>kPa(kilopascal)</source>
        <translation>kPa(千帕)</translation>
    </message>
    <message>
        <source>GPa(gigapascal)</source>
        <translation>GPa(吉帕)</translation>
    </message>
    <message>
        <source>bar(bar)</source>
        <translation>bar(巴)</translation>
    </message>
    <message>
        <source>pz(pizz pascal)</source>
        <translation>pz(皮兹)</translation>
    </message>
    <message>
        <source>psi(pound per square inch)</source>
        <translation>psi(磅每平方英寸)</translation>
    </message>
    <message>
        <source>kpsi(kip per square inch)</source>
        <translation>kpsi(千磅每平方英寸)</translation>
    </message>
    <message>
        <source>atm(atmosphere)</source>
        <translation>atm(标准大气压)</translation>
    </message>
    <message>
        <source>at(technical atmosphere)</source>
        <translation>at(工程大气压)</translation>
    </message>
    <message>
        <source>torr(torr)</source>
        <translation>torr(托)</translation>
    </message>
    <message>
        <source>mmHg(millimeter of mercury)</source>
        <translation>mmHg(毫米汞柱)</translation>
    </message>
    <message>
        <source>mHg(meter of mercury)</source>
        <translation>mHg(米汞柱)</translation>
    </message>
    <message>
        <source>cmHg(centimeter of mercury)</source>
        <translation>cmHg(厘米汞柱)</translation>
    </message>
    <message>
        <source>inHg(inch of mercury)</source>
        <translation>inHg(英寸汞柱)</translation>
    </message>
    <message>
        <source>mmH2O(millimeter of water column)</source>
        <translation>mmH2O(毫米水柱)</translation>
    </message>
    <message>
        <source>cmH2O(centimeter of water column)</source>
        <translation>cmH2O(厘米水柱)</translation>
    </message>
    <message>
        <source>mH2O(meter of water column)</source>
        <translation>mH2O(米水柱)</translation>
    </message>
    <message>
        <source>inH2O(inch of water column)</source>
        <translation>inH2O(英寸水柱)</translation>
    </message>
    <message>
        <source>J(joule)</source>
        <translation>J(焦耳)</translation>
    </message>
    <message>
        <source>kJ(kilojoule)</source>
        <translation>kJ(千焦)</translation>
    </message>
    <message>
        <source>MJ(megajoule)</source>
        <translation>MJ(兆焦)</translation>
    </message>
    <message>
        <source>W·h(watt-hour)</source>
        <translation>W·h(瓦时)</translation>
    </message>
    <message>
        <source>kW·h(kilowatt-hour)</source>
        <translation>kW·h(千瓦时)</translation>
    </message>
    <message>
        <source>erg(erg)</source>
        <translation>erg(尔格)</translation>
    </message>
    <message>
        <source>kpm(kilogram-force meter)</source>
        <translation>kpm(千克力米)</translation>
    </message>
    <message>
        <source>btu(british thermal unit)</source>
        <translation>btu(英热单位)</translation>
    </message>
    <message>
        <source>ft·lbf(foot-pound force)</source>
        <translation>ft·lbf(英尺磅力)</translation>
    </message>
    <message>
        <source>cal(calorie)</source>
        <translation>cal(卡路里)</translation>
    </message>
    <message>
        <source>eV(electron volt)</source>
        <translation>eV(电子伏特)</translation>
    </message>
    <message>
        <source>°(degree)</source>
        <translation>°(度)</translation>
    </message>
    <message>
        <source>radian(radian)</source>
        <translation>radian(弧度)</translation>
    </message>
    <message>
        <source>arcminute(arcminute)</source>
        <translation>arcminute(角分)</translation>
    </message>
    <message>
        <source>arcsecond(arcsecond)</source>
        <translation>arcsecond(角秒)</translation>
    </message>
    <message>
        <source>circle(circle)</source>
        <translation>circle(圆周)</translation>
    </message>
    <message>
        <source>1/2circle(1/2circle)</source>
        <translation>1/2circle(半圆)</translation>
    </message>
    <message>
        <source>1/4circle(1/4circle)</source>
        <translation>1/4circle(四分之一圆)</translation>
    </message>
    <message>
        <source>angular mil(angular mil)</source>
        <translation>angular mil(密位)</translation>
    </message>
    <message>
        <source>¯(point)</source>
        <translation>¯(罗经点)</translation>
    </message>
    <message>
        <source>T(tesla)</source>
        <translation>T(特斯拉)</translation>
    </message>
    <message>
        <source>MT(megatesla)</source>
        <translation>MT(兆特)</translation>
    </message>
    <message>
        <source>kT(kilotesla)</source>
        <translation>kT(千特)</translation>
    </message>
    <message>
        <source>mT(millitesla)</source>
        <translation>mT(毫特)</translation>
    </message>
    <message>
        <source>µT(microtesla)</source>
        <translation>µT(微特)</translation>
    </message>
    <message>
        <source>nT(nanotesla)</source>
        <translation>nT(纳特)</translation>
    </message>
    <message>
        <source>pT(picotesla)</source>
        <translation>pT(皮特)</translation>
    </message>
    <message>
        <source>G(gauss)</source>
        <translation>G(高斯)</translation>
    </message>
    <message>
        <source>Wb/m²(weber per square meter)</source>
        <translation>Wb/m²(韦伯每平方米)</translation>
    </message>
    <message>
        <source>Wb/cm²(weber per square centimeter)</source>
        <translation>Wb/cm²(韦伯每平方厘米)</translation>
    </message>
    <message>
        <source>γ(gamma)</source>
        <translation>γ(伽马)</translation>
    </message>
    <message>
        <source>Mx/m²(maxwell per square meter)</source>
        <translation>Mx/m²(麦克斯韦每平方米)</translation>
    </message>
    <message>
        <source>Mx/cm²(maxwell per square centimeter)</source>
        <translation>Mx/cm²(麦克斯韦每平方厘米)</translation>
    </message>
    <message>
        <source>nS(nanosiemens)</source>
        <translation>nS(纳西门子)</translation>
    </message>
    <message>
        <source>µS(microsiemens)</source>
        <translation>µS(微西门子)</translation>
    </message>
    <message>
        <source>mS(millisiemens)</source>
        <translation>mS(毫西门子)</translation>
    </message>
    <message>
        <source>S(siemens)</source>
        <translation>S(西门子)</translation>
    </message>
    <message>
        <source>kS(kilosiemens)</source>
        <translation>kS(千西门子)</translation>
    </message>
    <message>
        <source>MS(megasiemens)</source>
        <translation>MS(兆西门子)</translation>
    </message>
    <message>
        <source>GS(gigasiemens)</source>
        <translation>GS(吉西门子)</translation>
    </message>
    <message>
        <source>Ω(ohm)</source>
        <translation>Ω(欧姆)</translation>
    </message>
    <message>
        <source>kΩ(kiloohm)</source>
        <translation>kΩ(千欧)</translation>
    </message>
    <message>
        <source>MΩ(megaohm)</source>
        <translation>MΩ(兆欧)</translation>
    </message>
    <message>
        <source>GΩ(gigaohm)</source>
        <translation>GΩ(吉欧)</translation>
    </message>
    <message>
        <source>W(watt)</source>
        <translation>W(瓦)</translation>
    </message>
    <message>
        <source>kW(kilowatt)</source>
        <translation>kW(千瓦)</translation>
    </message>
    <message>
        <source>MW(megawatt)</source>
        <translation>MW(兆瓦)</translation>
    </message>
    <message>
        <source>GW(gigawatt)</source>
        <translation>GW(吉瓦)</translation>
    </message>
    <message>
        <source>BTU/h(british thermal unit per hour)</source>
        <translation>BTU/h(英热单位每时)</translation>
    </message>
    <message>
        <source>BTU/min(british thermal unit per minute)</source>
        <translation>BTU/min(英热单位每分)</translation>
    </message>
    <message>
        <source>BTU/s(british thermal unit per second)</source>
        <translation>BTU/s(英热单位每秒)</translation>
    </message>
    <message>
        <source>ft·lbf/s(foot-pound force per second)</source>
        <translation>ft·lbf/s(英尺磅力每秒)</translation>
    </message>
    <message>
        <source>hp(horsepower)</source>
        <translation>hp(马力)</translation>
    </message>
    <message>
        <source>mhp(mechanical horsepower)</source>
        <translation>mhp(机械马力)</translation>
    </message>
    <message>
        <source>ehp(electrical horsepower)</source>
        <translation>ehp(电工马力)</translation>
    </message>
    <message>
        <source>bhp(boiler horsepower)</source>
        <translation>bhp(锅炉马力)</translation>
    </message>
    <message>
        <source>F(farad)</source>
        <translation>F(法拉)</translation>
    </message>
    <message>
        <source>μF(microfarad)</source>
        <translation>μF(微法)</translation>
    </message>
    <message>
        <source>nF(nanofarad)</source>
        <translation>nF(纳法)</translation>
    </message>
    <message>
        <source>pF(picofarad)</source>
        <translation>pF(皮法)</translation>
    </message>
    <message>
        <source>A(ampere)</source>
        <translation>A(安培)</translation>
    </message>
    <message>
        <source>kA(kiloampere)</source>
        <translation>kA(千安)</translation>
    </message>
    <message>
        <source>MA(megaampere)</source>
        <translation>MA(兆安)</translation>
    </message>
    <message>
        <source>GA(gigaampere)</source>
        <translation>GA(吉安)</translation>
    </message>
    <message>
        <source>mA(milliampere)</source>
        <translation>mA(毫安)</translation>
    </message>
    <message>
        <source>µA(microampere)</source>
        <translation>µA(微安)</translation>
    </message>
    <message>
        <source>nA(nanoampere)</source>
        <translation>nA(纳安)</translation>
    </message>
    <message>
        <source>pA(picoampere)</source>
        <translation>pA(皮安)</translation>
    </message>
    <message>
        <source>C(coulomb)</source>
        <translation>C(库仑)</translation>
    </message>
    <message>
        <source>nC(nanocoulomb)</source>
        <translation>nC(纳库)</translation>
    </message>
    <message>
        <source>µC(microcoulomb)</source>
        <translation>µC(微库)</translation>
    </message>
    <message>
        <source>mC(millicoulomb)</source>
        <translation>mC(毫库)</translation>
    </message>
    <message>
        <source>kC(kilocoulomb)</source>
        <translation>kC(千库)</translation>
    </message>
    <message>
        <source>MC(megacoulomb)</source>
        <translation>MC(兆库)</translation>
    </message>
    <message>
        <source>GC(gigacoulomb)</source>
        <translation>GC(吉库)</translation>
    </message>
    <message>
        <source>Fr(franklin)</source>
        <translation>Fr(富兰克林)</translation>
    </message>
    <message>
        <source>nFr(nanofranklin)</source>
        <translation>nFr(纳富兰克林)</translation>
    </message>
    <message>
        <source>µFr(microfranklin)</source>
        <translation>µFr(微富兰克林)</translation>
    </message>
    <message>
        <source>mFr(milifranklin)</source>
        <translation>mFr(毫富兰克林)</translation>
    </message>
    <message>
        <source>kFr(kilofranklin)</source>
        <translation>kFr(千富兰克林)</translation>
    </message>
    <message>
        <source>MFr(megafranklin)</source>
        <translation>MFr(兆富兰克林)</translation>
    </message>
    <message>
        <source>GF(gigafranklin)</source>
        <translation>GF(吉富兰克林)</translation>
    </message>
    <message>
        <source>e(elementary charge)</source>
        <translation>e(元电荷)</translation>
    </message>
    <message>
        <source>Ah(ampere-hour)</source>
        <translation>Ah(安时)</translation>
    </message>
    <message>
        <source>nH(nanohenry)</source>
        <translation>nH(纳亨)</translation>
    </message>
    <message>
        <source>µH(microhenry)</source>
        <translation>µH(微亨)</translation>
    </message>
    <message>
        <source>mH(millihenry)</source>
        <translation>mH(毫亨)</translation>
    </message>
    <message>
        <source>H(henry)</source>
        <translation>H(亨利)</translation>
    </message>
    <message>
        <source>kH(kilohenry)</source>
        <translation>kH(千亨)</translation>
    </message>
    <message>
        <source>MH(megahenry)</source>
        <translation>MH(兆亨)</translation>
    </message>
    <message>
        <source>GH(gigahenry)</source>
        <translation>GH(吉亨)</translation>
    </message>
    <message>
        <source>Bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kBit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mbit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GBit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TBit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PBit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EBit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
