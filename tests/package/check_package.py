#!/usr/bin/env python3
"""Checks what scripts/package made, by reading it: the zip holds exactly the files a user
needs (both builds complete, the 32-bit host beside the 64-bit build), every binary in it has
the bitness of its folder, is stripped and carries the version in the zip's name; the debug zip
holds the debug information of each; both installers are NSIS installers of that version and of
their bitness.

    check_package.py REPO_ROOT DIST_FOLDER
Prints the zip's files and the sizes; exits 1 with every problem found.
"""
import glob
import io
import os
import re
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "image"))
from check_pe_image import PeImage, RT_VERSION, fixed_file_version  # noqa: E402

PROGRAMS = ["Karmux.exe", "KarmuxCm.exe", "KarmuxH.dll", "Elevopt.exe"]
HOST32 = ["KarmuxHost32.exe", "KarmuxH32.dll"]
HELP = ["Karmux.chm", "KarmuxRu.chm", "ThirdPartyNotices.txt"]


def expected_files(root, top):
    data = []
    for folder, pattern in (("Lang", "*.txt"), ("Sound", "*.wav"), ("Icons", "*.pni"), ("Keyboards", "*.txt")):
        data += [f"{folder}/{os.path.basename(p)}" for p in glob.glob(os.path.join(root, folder, pattern))
                 if os.path.basename(p) != "texts.tsv"]
    files = {f"{top}/README.txt", f"{top}/ThirdPartyNotices.txt"}
    for build in ("x86", "x64"):
        files |= {f"{top}/{build}/{f}" for f in PROGRAMS + HELP + data}
    files |= {f"{top}/x64/{f}" for f in HOST32}
    return files


def check_binary(name, data, bits, version, problems):
    try:
        image = PeImage(data)
    except Exception as error:  # any unreadable image is a problem to report, not a crash
        problems.append(f"{name}: unreadable: {error}")
        return
    if image.bits != bits:
        problems.append(f"{name}: {image.bits}-bit, expected {bits}-bit")
    if any(s.startswith(".debug") for s in image.section_names):
        problems.append(f"{name}: debug information inside")
    versions = image.resources(RT_VERSION)
    found = fixed_file_version(versions[0]) if versions else None
    if found != version:
        problems.append(f"{name}: version {found}, expected {version}")


def main():
    root, dist = sys.argv[1], sys.argv[2]
    problems = []
    zips = [p for p in glob.glob(os.path.join(dist, "Tolvex-*.zip")) if not p.endswith("-debug.zip")]
    if len(zips) != 1:
        print(f"expected one Tolvex-<version>.zip in {dist}, found {len(zips)}")
        return 1
    match = re.fullmatch(r"Tolvex-(\d+\.\d+\.\d+\.\d+)\.zip", os.path.basename(zips[0]))
    if not match:
        print(f"{zips[0]}: the name carries no version a.b.c.d")
        return 1
    version = match.group(1)
    top = f"Tolvex-{version}"
    with zipfile.ZipFile(zips[0]) as z:
        names = {i.filename for i in z.infolist() if not i.is_dir()}
        wanted = expected_files(root, top)
        for missing in sorted(wanted - names):
            problems.append(f"zip lacks {missing}")
        for extra in sorted(names - wanted):
            problems.append(f"zip holds what no user needs: {extra}")
        for name in sorted(names & wanted):
            base = os.path.basename(name)
            if base.endswith((".exe", ".dll")):
                bits = 32 if "/x86/" in name or base in HOST32 else 64
                check_binary(name, z.read(name), bits, version, problems)
        for info in z.infolist():
            print(f"  {info.file_size:>9}  {info.filename}")

    debug_zip = os.path.join(dist, f"{top}-debug.zip")
    if not os.path.isfile(debug_zip):
        problems.append(f"no {os.path.basename(debug_zip)}")
    else:
        with zipfile.ZipFile(debug_zip) as z:
            debug_names = {os.path.basename(n) for n in z.namelist()}
        for binary in PROGRAMS + ["KarmuxHost32.exe"]:
            if binary + ".debug" not in debug_names:
                problems.append(f"debug zip lacks {binary}.debug")

    for suffix, bits in (("-setup.exe", 32), ("-setup-x64.exe", 64)):
        path = os.path.join(dist, top + suffix)
        if not os.path.isfile(path):
            problems.append(f"no {top + suffix}")
            continue
        with open(path, "rb") as f:
            data = f.read()
        if b"NullsoftInst" not in data:
            problems.append(f"{top + suffix}: not an NSIS installer")
        check_binary(top + suffix, data, bits, version, problems)

    for path in sorted(glob.glob(os.path.join(dist, f"{top}*"))):
        print(f"{os.path.getsize(path):>10}  {os.path.basename(path)}")
    for problem in problems:
        print(f"package: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
