#!/usr/bin/env python3
"""Writes the shipped data files under data/: KAVIR.ini, QTDQT.ini and one
model file per entry of the Type list. The files are GBK with CR LF line ends,
as the program's INI layer and the radio family's tools expect.

Run from anywhere: python3 scripts/make_data.py
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")

# ---------------------------------------------------------------- models
# (name, mode text, lower MHz, upper MHz). Entry n of Type is model number n
# of the handshake; Mode runs parallel to it.
MODELS = [
    ("KV16V", "VHF 136-174MHz", 136, 174),
    ("KV16U", "UHF 400-470MHz", 400, 470),
    ("KV16可定义", "可定义频段", 350, 390),
]


def seconds(start_tenths, stop_tenths, step_tenths):
    return ["%d.%dS" % (t // 10, t % 10)
            for t in range(start_tenths, stop_tenths + 1, step_tenths)]


HALF_SECONDS = seconds(5, 50, 5)          # 0.5S .. 5.0S
CHANNELS = ["信道%d" % n for n in range(1, 17)]
PF_KEYS = ["关", "监听", "扫描", "报警", "功率切换", "宽窄带切换", "语音报告", "紧急呼叫"]

# Option lists of KAVIR.ini, in the order the screen fills them. The position
# of a text is its code in the radio image, so never reorder existing entries.
OPTION_LISTS = [
    ("Type", [m[0] for m in MODELS]),
    ("Mode", [m[1] for m in MODELS]),
    ("TimerOut", ["关"] + ["%dS" % s for s in range(15, 601, 15)]),
    ("Prealet", ["关"] + ["%dS" % s for s in range(1, 11)]),
    ("ChannelMonitor", ["无监听", "按键监听", "常开监听"]),
    ("SquelchLevel", [str(n) for n in range(1, 10)]),
    ("Beep", ["关", "开"]),
    ("Voice", ["关", "中文", "English"]),
    ("Alarm", ["关", "本机报警", "远程报警", "本机和远程报警"]),
    ("RunControl", ["唤醒", "常开"]),
    ("CloneEnable", ["禁止", "允许"]),
    ("TuningMode", ["关", "开"]),
    ("TxChanSel", ["当前信道", "优先信道", "最后接收信道", "最后发射信道"]),
    ("ScanDirection", ["向上", "向下"]),
    ("ScanAlert", ["关", "开"]),
    ("ScanDelAdd", ["关", "开"]),
    ("TempDel", ["关", "开"]),
    ("RxRestart", HALF_SECONDS),
    ("TxRestart", HALF_SECONDS),
    ("RxCH", ["当前信道", "优先信道", "最后接收信道", "最后发射信道"]),
    ("AssignCHSet", ["关"] + CHANNELS),
    ("ScanSpeed", ["快(100ms)", "慢(200ms)"]),
    ("ScanOperation", ["无扫描", "时间扫描", "载波扫描"]),
    ("ChanMode", ["固定设置的", "最后使用的"]),
    ("ChanSet", ["关"] + CHANNELS),
    ("LookA", HALF_SECONDS),
    ("RxStay", HALF_SECONDS),
    ("PF1S", PF_KEYS),
    ("PF2S", PF_KEYS),
    ("PF3S", ["固定报警键", "关", "监听", "扫描"]),
]

# ---------------------------------------------------------------- tones


# The 50 common CTCSS tones (Hz) and the 104 common DCS codes (octal digits).
CTCSS = """
67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9
114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9
171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1
225.7 229.1 233.6 241.8 250.3 254.1
""".split()
DCS = """
023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125
131 132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246
251 252 255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365
371 411 412 413 423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526
532 546 565 606 612 624 627 631 632 654 662 664 703 712 723 731 732 734 743 754
""".split()


def read_tones():
    assert len(CTCSS) == 50 and len(DCS) == 104
    return CTCSS, DCS


def tone_list(ctcss, dcs):
    return (["关"] + ["CTCSS:" + t for t in ctcss] + ["+DCS:" + c for c in dcs]
            + ["-DCS:" + c for c in dcs])


# ---------------------------------------------------------------- profile keys

RADIO_WIDE = ["Type", "Mode", "TimerOut", "Prealet", "ChannelMonitor", "SquelchLevel",
              "Beep", "Voice", "Alarm", "RunControl", "CloneEnable", "TuningMode",
              "ScanOperation", "ChanMode", "ChanSet", "LookA", "RxStay", "RxRestart",
              "TxRestart", "RxCH", "TxChanSel", "AssignCHSet", "ScanDirection",
              "ScanSpeed", "ScanAlert", "ScanDelAdd", "TempDel", "BatterySupply",
              "FreqV", "FreqU"]
SUFFIXES = ["BusyLock", "ChannelScans", "ClockFreq", "Coding", "Decode", "RxFreq",
            "TxFreq", "TxPower", "ZoneWide"]


def freq_text(units):
    """units of 10 Hz -> "NNN.NNNNN"."""
    return "%03d.%05d" % (units // 100000, units % 100000)


def mhz(text):
    whole, frac = text.split(".")
    return int(whole) * 100000 + int(frac.ljust(5, "0"))


# Per-model channel plans: (rx, tx, decode, coding, busy, power, scan, clock, wide)
def channel_plan(lo, hi, ctcss, dcs):
    span = (hi - lo) * 100000
    plan = []
    decodes = ["关", "CTCSS:" + ctcss[0], "CTCSS:" + ctcss[12], "+DCS:" + dcs[0],
               "关", "CTCSS:" + ctcss[30], "-DCS:" + dcs[10], "+DCS:" + dcs[50]]
    codings = ["关", "CTCSS:" + ctcss[0], "CTCSS:" + ctcss[12], "+DCS:" + dcs[0],
               "CTCSS:" + ctcss[8], "CTCSS:" + ctcss[30], "-DCS:" + dcs[10], "+DCS:" + dcs[50]]
    busy = ["禁止", "载波控制", "CTC/DCS控制", "载波控制"]
    for n in range(16):
        # spread the channels over the band, on the 6.25 kHz raster
        offset = (span * (2 * n + 1)) // 34
        rx = lo * 100000 + offset - offset % 625
        if n % 5 == 3:          # a simplex pair becomes a repeater pair
            tx = rx + (500000 if rx + 500000 < hi * 100000 else -500000)
        else:
            tx = rx
        plan.append({
            "RxFreq": freq_text(rx),
            "TxFreq": freq_text(tx),
            "Decode": decodes[n % len(decodes)],
            "Coding": codings[n % len(codings)],
            "BusyLock": busy[n % len(busy)],
            "TxPower": "低" if n % 4 == 2 else "高",
            "ChannelScans": "否" if n % 6 == 5 else "是",
            "ClockFreq": "是" if n == 9 else "否",
            "ZoneWide": "窄" if n % 3 == 1 else "宽",
        })
    return plan


FUNCTION_DEFAULTS = [
    # per model: the radio-wide settings a new radio of that model ships with
    {"TimerOut": "60S", "Prealet": "关", "ChannelMonitor": "按键监听",
     "SquelchLevel": "5", "Beep": "开", "Voice": "中文", "Alarm": "本机报警",
     "CloneEnable": "允许", "ScanOperation": "载波扫描", "ChanSet": "关",
     "LookA": "1.0S", "ScanAlert": "开", "PF1S": "监听", "PF2S": "扫描"},
    {"TimerOut": "90S", "Prealet": "5S", "ChannelMonitor": "无监听",
     "SquelchLevel": "3", "Beep": "开", "Voice": "关", "Alarm": "关",
     "CloneEnable": "禁止", "ScanOperation": "时间扫描", "ChanSet": "信道1",
     "LookA": "0.5S", "ScanAlert": "关", "PF1S": "功率切换", "PF2S": "监听"},
    {"TimerOut": "关", "Prealet": "关", "ChannelMonitor": "常开监听",
     "SquelchLevel": "1", "Beep": "关", "Voice": "English", "Alarm": "本机和远程报警",
     "CloneEnable": "允许", "ScanOperation": "无扫描", "ChanSet": "关",
     "LookA": "2.0S", "ScanAlert": "关", "PF1S": "宽窄带切换", "PF2S": "关"},
]

FIXED_TEXTS = {
    "ChanMode": "固定设置的", "RxStay": "3.0S", "RxRestart": "3.0S", "TxRestart": "3.0S",
    "TxChanSel": "当前信道", "RxCH": "当前信道", "AssignCHSet": "关", "TempDel": "关",
    "ScanDelAdd": "关", "ScanSpeed": "快(100ms)", "ScanDirection": "向上",
    "TuningMode": "关", "RunControl": "唤醒",
}


def model_profile(index, ctcss, dcs):
    name, mode, lo, hi = MODELS[index]
    values = {"Type": name, "Mode": mode, "BatterySupply": "1",
              "FreqV": str(lo), "FreqU": str(hi), "PF3S": "固定报警键"}
    values.update(FIXED_TEXTS)
    values.update(FUNCTION_DEFAULTS[index])
    plan = channel_plan(lo, hi, ctcss, dcs)
    entries = [(k, values[k]) for k in RADIO_WIDE]
    for suffix in SUFFIXES:
        for n in range(1, 17):
            entries.append(("CH%02d.%s" % (n, suffix), plan[n - 1][suffix]))
    # the last channel is receive-only in every shipped model
    entries += [("CBT%d" % n, "0" if n == 16 else "1") for n in range(1, 17)]
    entries += [("CBR%d" % n, "1") for n in range(1, 17)]
    entries += [(k, values[k]) for k in ("PF1S", "PF2S", "PF3S")]
    for k, v in entries:
        if k.endswith((".RxFreq", ".TxFreq")):
            u = mhz(v)
            assert u % 625 == 0 and lo * 100000 <= u <= hi * 100000, (name, k, v)
    assert len(entries) == 209
    return [("Previous", entries)]


# ---------------------------------------------------------------- output


def write_ini(path, sections, comment=None):
    lines = []
    if comment:
        lines += ["; " + c for c in comment]
    for name, entries in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % kv for kv in entries]
        lines.append("")
    data = "\r\n".join(lines).encode("gbk")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def numbered(texts):
    return [(str(i), t) for i, t in enumerate(texts, 1)]


def main():
    ctcss, dcs = read_tones()
    tones = tone_list(ctcss, dcs)

    kavir = [(key, numbered(texts)) for key, texts in OPTION_LISTS]
    kavir += [
        ("BatterySupply", [("1", "0"), ("2", "1")]),
        ("PreviousType", [("1", MODELS[0][0])]),
        ("ComPort", [("1", "1")]),
        ("WaitFor", [("Shk", "80"), ("Rx", "80"), ("Tx", "80")]),
    ]
    write_ini(os.path.join(DATA, "KAVIR.ini"), kavir,
              ["KAVIR 配置文件: 各设置的选项表, 上次的机型, 串口和等待时间(ms)",
               "选项的顺序就是写入电台的代码, 只可在末尾追加"])

    qtdqt = [("DeCode", numbered(tones)), ("Coding", numbered(tones)),
             ("BusyLock", numbered(["禁止", "载波控制", "CTC/DCS控制"])),
             ("TxPower", numbered(["高", "低"])),
             ("ChannelScans", numbered(["是", "否"])),
             ("ClockFreq", numbered(["是", "否"])),
             ("ZoneWide", numbered(["宽", "窄"]))]
    write_ini(os.path.join(DATA, "QTDQT.ini"), qtdqt,
              ["KAVIR 信道选项表: 信令, 繁忙锁定, 功率, 扫描, 时钟拍频, 带宽"])

    for i, (name, _, _, _) in enumerate(MODELS):
        write_ini(os.path.join(DATA, name + ".ini"), model_profile(i, ctcss, dcs))


if __name__ == "__main__":
    main()
