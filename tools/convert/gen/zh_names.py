# Chinese long names of the converter's unit entries, by untranslated entry.
ZH = {
    # Lengths
    "km(kilometer)": "千米", "m(meter)": "米", "dm(decimeter)": "分米", "cm(centimeter)": "厘米",
    "mm(millimeter)": "毫米", "µm(micrometer)": "微米", "nm(nanometer)": "纳米", "Å(angstrom)": "埃",
    "pm(picometer)": "皮米", "mi(mile)": "英里", "ft(feet)": "英尺", "in(inch)": "英寸", "mil(mill)": "密耳",
    "M(nautical mile)": "海里", "yd(yard)": "码", "au(astronomical unit)": "天文单位", "ly(light year)": "光年",
    "ls(light second)": "光秒", "pc(parsec)": "秒差距",
    # Mass
    "ng(nanogram)": "纳克", "µg(microgram)": "微克", "mg(milligram)": "毫克", "cg(centigram)": "厘克",
    "g(gram)": "克", "kg(kilogram)": "千克", "t(ton)": "吨", "lb(pound)": "磅", "st(stone)": "英石",
    "oz(ounce)": "盎司", "ozt(troy ounce)": "金衡盎司", "dwt(pennyweight)": "英钱", "ct(carat)": "克拉",
    "u(unified atomic mass unit)": "原子质量单位",
    # Area
    "km²(square kilometre)": "平方千米", "m²(square metre)": "平方米", "cm²(square centimetre)": "平方厘米",
    "mm²(square millimetre)": "平方毫米", "in²(square inch)": "平方英寸", "ft²(square foot)": "平方英尺",
    "yd²(square yard)": "平方码", "mi²(square mile)": "平方英里", "ha(hectare)": "公顷", "ac(acre)": "英亩",
    "a(square are)": "公亩",
    # Volume
    "m³(cubic meter)": "立方米", "dm³(cubic decimeter)": "立方分米", "cm³(cubic centimeter)": "立方厘米",
    "mm³(cubic millimeter)": "立方毫米", "in³(cubic inch)": "立方英寸", "ft³(cubic foot)": "立方英尺",
    "L(liter)": "升", "mL(milliliter)": "毫升", "cup(cup)": "杯", "UK gal(UK gallon)": "英制加仑",
    "UK pt(UK pint)": "英制品脱", "UK fl oz(UK Fluid ounce)": "英制液量盎司", "UK oz(UK ounce)": "英制盎司",
    "US gal(US gallon)": "美制加仑", "US pt(US pint)": "美制品脱", "US fl oz(US Fluid ounce)": "美制液量盎司",
    "US oz(US ounce)": "美制盎司", "tbsp(tablespoon)": "汤匙",
    # Time
    "c(century)": "世纪", "a(year)": "年", "m(month)": "月", "w(week)": "周", "d(day)": "天", "h(hour)": "小时",
    "min(minute)": "分钟", "s(second)": "秒", "ms(millisecond)": "毫秒", "μs(microsecond)": "微秒",
    "ns(nanosecond)": "纳秒", "fs(femtosecond)": "飞秒", "as(attosecond)": "阿秒",
    # Speed
    "m/s(meter per second)": "米每秒", "m/min(meter per minute)": "米每分", "m/h(meter per hour)": "米每时",
    "km/min(kilometer per minute)": "千米每分", "km/h(kilometer per hour)": "千米每时",
    "ft/s(foot per second)": "英尺每秒", "ft/min(foot per minute)": "英尺每分", "ft/h(foot per hour)": "英尺每时",
    "mi/min(mile per minute)": "英里每分", "mi/h(mile per hour)": "英里每时", "knot(knot)": "节",
    # Force
    "N(newton)": "牛顿", "dyn(dyne)": "达因", "lbf(pound-force)": "磅力", "kgf(kilogram-force)": "千克力",
    "pdl(poundal)": "磅达",
    # Torque
    "N·m(Newton-meter)": "牛·米", "dyn·cm(Dyne·cm)": "达因·厘米", "lbf·ft(Pound-force foot)": "磅力·英尺",
    "kgf·m(Kilogram-force meter)": "千克力·米", "pdl·m(Poundal·m)": "磅达·米",
    # Temperature
    "°C(celsius)": "摄氏度", "°F(fahrenheit)": "华氏度", "K(kelvin)": "开尔文", "°Ré(réaumur)": "列氏度",
    "°Rø(rankine)": "罗氏度", "°De(delisle)": "德氏度", "°R(rankine)": "兰氏度", "°N(newton)": "牛顿度",
    # Pressure
    "mPa(millipascal)": "毫帕", "Pa(pascal)": "帕斯卡", "hPa(hectopascal)": "百帕", "kPa(kilopascal)": "千帕",
    "GPa(gigapascal)": "吉帕", "bar(bar)": "巴", "pz(pizz pascal)": "皮兹", "psi(pound per square inch)": "磅每平方英寸",
    "kpsi(kip per square inch)": "千磅每平方英寸", "atm(atmosphere)": "标准大气压", "at(technical atmosphere)": "工程大气压",
    "torr(torr)": "托", "mmHg(millimeter of mercury)": "毫米汞柱", "mHg(meter of mercury)": "米汞柱",
    "cmHg(centimeter of mercury)": "厘米汞柱", "inHg(inch of mercury)": "英寸汞柱",
    "mmH2O(millimeter of water column)": "毫米水柱", "cmH2O(centimeter of water column)": "厘米水柱",
    "mH2O(meter of water column)": "米水柱", "inH2O(inch of water column)": "英寸水柱",
    # Energy
    "J(joule)": "焦耳", "kJ(kilojoule)": "千焦", "MJ(megajoule)": "兆焦", "W·h(watt-hour)": "瓦时",
    "kW·h(kilowatt-hour)": "千瓦时", "erg(erg)": "尔格", "kpm(kilogram-force meter)": "千克力米",
    "btu(british thermal unit)": "英热单位", "ft·lbf(foot-pound force)": "英尺磅力", "cal(calorie)": "卡路里",
    "eV(electron volt)": "电子伏特",
    # Power
    "W(watt)": "瓦", "kW(kilowatt)": "千瓦", "MW(megawatt)": "兆瓦", "GW(gigawatt)": "吉瓦",
    "BTU/h(british thermal unit per hour)": "英热单位每时", "BTU/min(british thermal unit per minute)": "英热单位每分",
    "BTU/s(british thermal unit per second)": "英热单位每秒", "ft·lbf/s(foot-pound force per second)": "英尺磅力每秒",
    "hp(horsepower)": "马力", "mhp(mechanical horsepower)": "机械马力", "ehp(electrical horsepower)": "电工马力",
    "bhp(boiler horsepower)": "锅炉马力",
    # Capacitance
    "F(farad)": "法拉", "μF(microfarad)": "微法", "nF(nanofarad)": "纳法", "pF(picofarad)": "皮法",
    # Resistance
    "Ω(ohm)": "欧姆", "kΩ(kiloohm)": "千欧", "MΩ(megaohm)": "兆欧", "GΩ(gigaohm)": "吉欧",
    # Conductance
    "nS(nanosiemens)": "纳西门子", "µS(microsiemens)": "微西门子", "mS(millisiemens)": "毫西门子",
    "S(siemens)": "西门子", "kS(kilosiemens)": "千西门子", "MS(megasiemens)": "兆西门子", "GS(gigasiemens)": "吉西门子",
    # Inductance
    "nH(nanohenry)": "纳亨", "µH(microhenry)": "微亨", "mH(millihenry)": "毫亨", "H(henry)": "亨利",
    "kH(kilohenry)": "千亨", "MH(megahenry)": "兆亨", "GH(gigahenry)": "吉亨",
    # Current
    "A(ampere)": "安培", "kA(kiloampere)": "千安", "MA(megaampere)": "兆安", "GA(gigaampere)": "吉安",
    "mA(milliampere)": "毫安", "µA(microampere)": "微安", "nA(nanoampere)": "纳安", "pA(picoampere)": "皮安",
    # Charge
    "C(coulomb)": "库仑", "nC(nanocoulomb)": "纳库", "µC(microcoulomb)": "微库", "mC(millicoulomb)": "毫库",
    "kC(kilocoulomb)": "千库", "MC(megacoulomb)": "兆库", "GC(gigacoulomb)": "吉库", "Fr(franklin)": "富兰克林",
    "nFr(nanofranklin)": "纳富兰克林", "µFr(microfranklin)": "微富兰克林", "mFr(milifranklin)": "毫富兰克林",
    "kFr(kilofranklin)": "千富兰克林", "MFr(megafranklin)": "兆富兰克林", "GF(gigafranklin)": "吉富兰克林",
    "e(elementary charge)": "元电荷", "Ah(ampere-hour)": "安时",
    # Magnetic
    "T(tesla)": "特斯拉", "MT(megatesla)": "兆特", "kT(kilotesla)": "千特", "mT(millitesla)": "毫特",
    "µT(microtesla)": "微特", "nT(nanotesla)": "纳特", "pT(picotesla)": "皮特", "G(gauss)": "高斯",
    "Wb/m²(weber per square meter)": "韦伯每平方米", "Wb/cm²(weber per square centimeter)": "韦伯每平方厘米",
    "γ(gamma)": "伽马", "Mx/m²(maxwell per square meter)": "麦克斯韦每平方米",
    "Mx/cm²(maxwell per square centimeter)": "麦克斯韦每平方厘米",
    # Angle
    "°(degree)": "度", "radian(radian)": "弧度", "arcminute(arcminute)": "角分", "arcsecond(arcsecond)": "角秒",
    "circle(circle)": "圆周", "1/2circle(1/2circle)": "半圆", "1/4circle(1/4circle)": "四分之一圆",
    "angular mil(angular mil)": "密位", "¯(point)": "罗经点",
}

# Chinese names of the 31 currencies (context QObject).
CURRENCY_ZH = {
    "AUD": "澳大利亚元", "BGN": "保加利亚列弗", "BRL": "巴西雷亚尔", "CAD": "加拿大元", "CHF": "瑞士法郎",
    "CNY": "人民币", "CZK": "捷克克朗", "DKK": "丹麦克朗", "EUR": "欧元", "GBP": "英镑", "HKD": "港元",
    "HUF": "匈牙利福林", "IDR": "印度尼西亚卢比", "ILS": "以色列新谢克尔", "INR": "印度卢比", "ISK": "冰岛克朗",
    "JPY": "日元", "KRW": "韩元", "MXN": "墨西哥比索", "MYR": "马来西亚林吉特", "NOK": "挪威克朗",
    "NZD": "新西兰元", "PHP": "菲律宾比索", "PLN": "波兰兹罗提", "RON": "罗马尼亚列伊", "SEK": "瑞典克朗",
    "SGD": "新加坡元", "THB": "泰铢", "TRY": "土耳其里拉", "USD": "美元", "ZAR": "南非兰特",
}
