#!/usr/bin/env python3
"""Reads back the winget and Scoop manifests the package target wrote into the dist folder and
checks them against the fields and types the winget 1.9 manifest schema and Scoop's app manifest
schema give, and that every hash is the release file's own. Needs the release files of both
architectures in dist (the package target of win64 and win32)."""
import hashlib
import json
import pathlib
import re
import sys
import zipfile

import yaml

URL = r"^[Hh][Tt][Tt][Pp][Ss]?://.+$"
IDENTIFIER = r"^[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}){1,7}$"
LOCALE = r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$"
SHA256 = r"^[A-Fa-f0-9]{64}$"
# field: (pattern or None, shortest, longest) of a required or written string.
WINGET = {
    "version": {"DefaultLocale": (LOCALE, 1, 20)},
    "installer": {"InstallerLocale": (LOCALE, 1, 20), "ProductCode": (None, 1, 255)},
    "defaultLocale": {"PackageLocale": (LOCALE, 1, 20), "Publisher": (None, 2, 256),
                      "PackageName": (None, 2, 256), "License": (None, 3, 512),
                      "ShortDescription": (None, 3, 256), "PublisherUrl": (URL, 1, 2048),
                      "Moniker": (None, 1, 40)},
}
SCOOP_TOP = {"version", "description", "homepage", "license", "architecture", "bin", "shortcuts",
             "url", "hash", "persist", "notes", "depends", "extract_dir", "##"}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def string_field(manifest, field, rule, where):
    pattern, shortest, longest = rule
    value = manifest.get(field)
    check(isinstance(value, str) and shortest <= len(value) <= longest
          and (pattern is None or re.match(pattern, value)), f"{where}: {field} = {value!r}")


def file_hash(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def check_winget(folder, dist, version, url, product_code):
    found = {}
    for path in sorted(folder.glob("*.yaml")):
        manifest = yaml.safe_load(path.read_text(encoding="utf-8"))
        kind = manifest.get("ManifestType")
        found[kind] = manifest.get("PackageIdentifier")
        check(manifest.get("ManifestVersion") == "1.9.0" and manifest.get("PackageVersion") == version,
              f"{path.name}: ManifestVersion, PackageVersion")
        string_field(manifest, "PackageIdentifier", (IDENTIFIER, 1, 128), path.name)
        for field, rule in WINGET.get(kind, {}).items():
            string_field(manifest, field, rule, path.name)
        if kind == "installer":
            check_installers(manifest, dist, url, product_code)
    check(sorted(found) == sorted(WINGET) and len(set(found.values())) == 1, f"manifests {found}")


def check_installers(manifest, dist, url, product_code):
    check(manifest.get("InstallerType") == "nullsoft" and manifest.get("Scope") == "user"
          and manifest.get("UpgradeBehavior") == "install", "nullsoft, user, install")
    check(manifest.get("ProductCode") == product_code, "ProductCode is the uninstall key")
    modes = manifest.get("InstallModes")
    check(isinstance(modes, list) and len(set(modes)) == len(modes)
          and set(modes) <= {"interactive", "silent", "silentWithProgress"}, f"modes {modes}")
    switches = manifest.get("InstallerSwitches", {})
    check(switches.get("Silent") == "/S" and switches.get("SilentWithProgress") == "/S",
          f"InstallerSwitches {switches}")
    architectures = [entry.get("Architecture") for entry in manifest.get("Installers", [])]
    check(sorted(architectures) == ["x64", "x86"], f"Installers for {architectures}")
    for entry in manifest.get("Installers", []):
        name = f"Nimbrel-{manifest['PackageVersion']}-{entry.get('Architecture')}-setup.exe"
        check(entry.get("InstallerUrl") == f"{url}/{name}", f"InstallerUrl of {name}")
        sha = entry.get("InstallerSha256", "")
        check(bool(re.match(SHA256, sha)) and sha.lower() == file_hash(dist / name),
              f"InstallerSha256 of {name}")


def check_scoop(path, dist, version, url):
    manifest = json.loads(path.read_text(encoding="utf-8"))
    check(set(manifest) <= SCOOP_TOP, f"Scoop fields {sorted(manifest)}")
    check(re.match(r"^[\w\-.+_]+$", manifest.get("version", "")) and manifest["version"] == version,
          "Scoop version")
    check(isinstance(manifest.get("description"), str) and isinstance(manifest.get("license"), str)
          and re.match(URL, manifest.get("homepage", "")), "Scoop description, licence, homepage")
    shortcuts = manifest.get("shortcuts")
    check(isinstance(shortcuts, list) and shortcuts and all(
        isinstance(item, list) and 2 <= len(item) <= 4 and all(isinstance(s, str) for s in item)
        for item in shortcuts), f"Scoop shortcuts {shortcuts}")
    targets = {manifest.get("bin")} | {item[0] for item in shortcuts or []}
    architectures = manifest.get("architecture", {})
    check(sorted(architectures) == ["32bit", "64bit"], f"Scoop architectures {architectures}")
    for key, arch in (("64bit", "x64"), ("32bit", "x86")):
        entry = architectures.get(key, {})
        name = f"Nimbrel-{version}-{arch}-portable.zip"
        check(set(entry) == {"url", "hash"} and entry.get("url") == f"{url}/{name}", f"{key} url")
        check(entry.get("hash") == file_hash(dist / name), f"{key} hash of {name}")
        with zipfile.ZipFile(dist / name) as archive:
            check(targets <= set(archive.namelist()), f"{targets} in {name}")


def main():
    dist, version, url, nsi = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
    key = re.search(r'!define UNINSTALL_KEY "[^"]*\\([^"\\]+)"', pathlib.Path(nsi).read_text())
    check_winget(dist / "winget", dist, version, url.rstrip("/"), key and key.group(1))
    check_scoop(dist / "nimbrel.json", dist, version, url.rstrip("/"))
    for failure in failures:
        print(f"FAILED: {failure}")
    print(f"{len(failures)} failure(s) in the manifests in {dist}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
