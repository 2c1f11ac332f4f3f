#!/usr/bin/env python3
"""Writes an XP-sized I386 source for timing vornix: I386/txtsetup.sif (about
22,000 lines) and I386/dosnet.inf (about 11,000 lines), both CR LF, and
txtfiles-N.del lists of N driver names of which a good share occur in the
scripts. The same seed always gives the same bytes."""

import argparse, random, re
from pathlib import Path

SEED = 2600
HEADS = ("ati nv ia hp si ul vsm ql adp aic lsi mr mega sym amd via cmd ali sis pdc hpt ite jm mv ns nf rt "
         "bcm ar ath usb hid kbd mou ser fd cd disk flt mp net nd ip tcp ks aud snd es cmi cs emu sb hda").split()
MIDS = ",,,a,e,i,o,x,ex,in,on,an,el,ar,st,ct,pt,mp,nt,lk,sc,ch,sm,dm,io,vd,port,mini,bus,cl,hc,pi".split(",")
TAILS = (",,drv,port,mp,sys,ide,raid,sata,scsi,stor,flt,bus,hub,cls,mgr,svc,srv,cfg,io,dev,ctl,hlp,api,"
         "lib,ui,ex,nt,32,16,64,2k,xp,9x,3,4,5,7,8,a,b,c,e,k,m,s,x,u2,160,320,3xx,78u2,9xxx").split(",")
EXTS = ("dll " * 55 + "inf " * 15 + "exe " * 8 + "cat hlp " * 3 + "chm nls ttf ocx " * 2 + "fon cpl mof ini drv").split()
DIRS = {"sys": 4, "inf": 20, "hlp": 21, "chm": 21, "ttf": 22, "fon": 22}  # else 2
DISK = ["1,,,,,,3_,{d},1,,,1,{d}", "100,,,,,,4_,{d},0,0,,1,{d}", "1,,,,,,_x,{d},0,0", "1,,,,,,,{d},1",
        "1,,,,,,3_,{d},0,0,,1,{d}", "100,,,,,,5_,{d},0,0,,1,{d}", "1,,,,,,_5,{d},1", "1,,,,,,,,3,3"]
VENDORS = "Adaptec,Intel(R),LSI Logic,Promise,Silicon Image,VIA,NVIDIA,ATI,JMicron,Marvell,QLogic".split(",")
MODELS = ("ICH6R SATA RAID,Ultra160 PCI SCSI,SATA150 TX4,3112 SATARaid,nForce4 RAID,SB600 SATA,FastTrak TX2000,"
          "RocketRAID 1820A,MegaRAID SCSI 320-2,AIC-789X/AHA-3960").split(",")
VEN_IDS = "8086 1095 105A 1106 10DE 1002 197B 11AB 1103 1077 1069 0E11 1014 1028 1022 10B9 9005 1000".split()


def base(rng):
    """A plausible 8.3-style base name, lower case."""
    while True:
        b = rng.choice(HEADS) + rng.choice(MIDS) + rng.choice(TAILS)
        b += str(rng.randint(0, 99)) if rng.random() < 0.25 else ""
        if 3 <= len(b) <= (12 if rng.random() < 0.1 else 8):
            return b


def source(seed=SEED):
    """(txtsetup.sif bytes, dosnet.inf bytes, the driver names that occur)."""
    rng, taken, files = random.Random(seed), {}, {}
    pick, hex4 = rng.choice, lambda: f"{rng.randrange(65536):04X}"
    sec = lambda out, head, rows: out.extend([head, *rows, ""])
    disk = lambda b, e: f"{b + '.' + e:<12} = " + pick(DISK).format(d=DIRS.get(e, 2))

    def bases(count):
        start = len(taken)
        while len(taken) < start + count:
            taken.setdefault(base(rng))
        return list(taken)[start:]

    def fill(out, heads):  # sections that hold no names of files or drivers
        for head, n in (h.split(":") for h in heads.split()):
            sec(out, f"[{head}]", [f'{base(rng)}{i} = "{pick(VENDORS)} {i}",{i % 7}' for i in range(int(n))])

    drivers = bases(3000)  # 2,700 in [SourceDisksFiles], 300 in .x86
    storage, bus = drivers[:50], drivers[50:66]
    for b in bases(7200):  # other files, some an .inf/.cat beside a driver
        b, e = (pick(drivers), pick(["inf", "cat", "dll"])) if rng.random() < 0.08 else (b, pick(EXTS))
        while (b, e) in files:
            b += "x"
        files[b, e] = None
    files = list(files)
    main = [(b, "sys") for b in drivers[:2700]] + files[:6300]
    x86 = [(b, "sys") for b in drivers[2700:]] + files[6300:]
    rng.shuffle(main)
    rng.shuffle(x86)
    filler = [(b, pick(EXTS)) for b in bases(2400)]

    t = []
    sec(t, "[Version]", ['signature = "$Windows NT$"', "DriverVer = 07/01/2001,5.1.2600.5512"])
    fill(t, "SetupData:80 SourceDisksNames:15 SourceDisksNames.x86:29")
    sec(t, "[SourceDisksFiles]", [disk(*f) for f in main[:-400]])
    x86_at = len(t) + 1  # the blank runs go in here at the end
    sec(t, "[SourceDisksFiles.x86]", [disk(*f) for f in x86])
    sec(t, "[SourceDisksFiles.ia64]", [disk(*f) for f in filler[:100]])
    sec(t, "[Files.DeleteOnUpgrade]", [f"{b}.{e},{pick([2, 4, 11, 20])}" for b, e in filler[100:]])
    sec(t, "[Files.BackupOnOverwrite]", [f"{'.'.join(pick(main))},{pick([2, 4])},,{i}" for i in range(430)])
    fill(t, "WinntDirectories:120 DiskSpaceRequirements:120 GoodACPIBios:118 Strings:82")
    hw = {}  # storage controllers carry half of the ids, as in a real source
    while len(hw) < 800:
        cc = f"&CC_01{pick(['00', '01', '04', '06'])}" if rng.random() < 0.4 else ""
        k = rng.random()
        hw_id = (f"PCI\\VEN_{pick(VEN_IDS)}&DEV_{hex4()}{cc}" if k < 0.85 else
                 f"USB\\VID_{hex4()}&PID_{hex4()}" if k < 0.95 else f"*PNP{hex4()}")
        hw.setdefault(hw_id, storage[len(hw) % 50] if len(hw) < 400 else pick(drivers[:300]))
    sec(t, "[HardwareIdsDatabase]", [f'{k} = "{v}"' for k, v in hw.items()])
    fill(t, "Computer:10 Map.Computer:12 Display:8 Keyboard:9 Mouse:15 Hal:13 Hal.Load:13 nls:16")
    sec(t, "[BusExtenders.Load]", [f"{b:<8} = {b}.sys" for b in bus])
    for b in storage[:20] + bus[:10]:
        sec(t, f"[files.{b}]", [f"{b}.sys,4"] + [f"{pick(drivers)}.sys,4"] * (rng.random() < 0.5))
    fill(t, "InputDevicesSupport.Load:13")
    sec(t, "[SCSI.Load]", [f"{b:<8} = {b}.sys,4" for b in storage])
    sec(t, "[SourceDisksFiles]", [disk(*f) for f in main[-400:]])  # the language part's second copy
    fill(t, "Files.KeyboardLayout:126")
    sec(t, "[SCSI]", [f'{b:<8} = "{pick(VENDORS)} {pick(MODELS)} '
                      f'{"SCSI-контроллер" if rng.random() < 0.5 else "Controller"}"' for b in storage])
    sec(t, "[BusExtenders]", [f'{b:<8} = "{b.upper()} support",files.{b},{b}' for b in bus])
    fill(t, "Strings:26")
    for i in range(22000 - 1 - len(t)):  # real sources hold long runs of empty lines in .x86
        t.insert(rng.randrange(x86_at, x86_at + len(x86) + i + 1), "")

    d = []
    sec(d, "[Version]", ['signature="$Windows NT$"', "DriverVer=07/01/2001,5.1.2600.5512"])
    sec(d, "[Directories]", [f"d{i + 1} = \\i386\\dir{i}" for i in range(30)])
    rows = [f"{'d1' if rng.random() < 0.97 else 'd2'},{b}.{e}"
            + (f",{b}2.sys" if e == "sys" and rng.random() < 0.02 else "") for b, e in main + x86]
    # filler names bring it to 11,000 lines with the four floppy sections and the 243 lines after them
    rows += [f"d1,{b}.{e}" for b, e in filler[:11000 - len(d) - len(rows) - 2 - 4 * 27 - 243]]
    rng.shuffle(rows)
    sec(d, "[Files]", rows)
    for i in range(4):
        sec(d, f"[FloppyFiles.{i}]", [f"d1,{pick(storage + bus)}.sys" for _ in range(25)])
    fill(d, "CmdConsFiles:61 DiskSpaceRequirements:122 Strings:27 ForceCopyDriverCabFiles:25")  # 243 lines

    rest = drivers[66:]  # storage and bus drivers first: their lines span most rules
    rng.shuffle(rest)
    pool = drivers[:66] + rest
    return "\r\n".join(t + ["\x1a"]).encode("cp866"), "\r\n".join(d + [""]).encode(), pool


def name_list(seed, count, pool, text):
    """(txtfiles.del bytes, how many names occur): 60% of up to 1,000 names, or 50% of more, come from
    the pool, a tenth of them upper case; the rest occur nowhere in text, in any case."""
    rng = random.Random(seed * 7919 + count)
    present = pool[:round(count * (0.6 if count <= 1000 else 0.5))]
    names = [n.upper() if rng.random() < 0.1 else n for n in present]
    used = {w[i:j] for w in set(re.findall(rb"[A-Z0-9]+", text.upper()))
            for i in range(len(w)) for j in range(i + 1, min(len(w), i + 12) + 1)}
    used |= {n.upper().encode() for n in pool}
    while len(names) < count:
        key = (base(rng) + rng.choice(["", "q", "z", "j"])).upper().encode()
        if key not in used:
            used.add(key)
            names.append(key.decode().lower())
    rng.shuffle(names)
    return "".join(n + "\r\n" for n in names).encode(), len(present)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("outdir")
    parser.add_argument("--seed", type=int, default=SEED)
    parser.add_argument("--sizes", default="200,5000", help="list sizes (%(default)s)")
    args = parser.parse_args()
    txtsetup, dosnet, pool = source(args.seed)
    Path(args.outdir, "I386").mkdir(parents=True, exist_ok=True)
    out = {"I386/txtsetup.sif": txtsetup, "I386/dosnet.inf": dosnet}
    out.update((f"txtfiles-{n}.del", name_list(args.seed, int(n), pool, txtsetup + dosnet)[0])
               for n in args.sizes.split(","))
    for name, data in out.items():
        Path(args.outdir, name).write_bytes(data)
        print(f"{name}: {len(data.splitlines()):,} lines, {len(data):,} bytes")


if __name__ == "__main__":
    main()
