#!/usr/bin/env python3
"""Writes the package managers' manifests for the release files of one version in the dist
folder: a winget manifest set (version, installer and default-locale files) in dist/winget/ and
a Scoop manifest, dist/nimbrel.json. Each hash is taken from the file in dist now, so the
manifests always describe the files of the last package run; an architecture not built yet is
left out. Run by release/make-package.sh after SHA256SUMS.

The names come from where the program and the installer keep them: the product, its maker and
the maker's site from res/product.h, the uninstall entry's key (winget's product code, by which
it finds an installed Nimbrel) from release/nimbrel.nsi."""
import hashlib
import json
import pathlib
import re
import sys

MANIFEST_VERSION = "1.9.0"
LOCALE = "en-US"
SHORT_DESCRIPTION = "Keeps a dial-up or flat-rate internet line alive."
LICENSE = "Freeware"
# Release architecture: (winget's name, Scoop's name).
ARCHITECTURES = {"x64": ("x64", "64bit"), "x86": ("x86", "32bit")}


def quoted(source, pattern):
    match = re.search(pattern, source)
    if not match:
        sys.exit(f"error: {pattern} not found")
    return match.group(1)


def product_names(source_dir):
    header = (source_dir / "res/product.h").read_text(encoding="utf-8")
    script = (source_dir / "release/nimbrel.nsi").read_text(encoding="utf-8")
    return {
        "product": quoted(header, r'kProductName = "([^"]+)"'),
        "maker": quoted(header, r'kMakerName = "([^"]+)"'),
        "site": "https://" + quoted(header, r'kMakerSite = "([^"]+)"') + "/",
        "product_code": quoted(script, r'!define UNINSTALL_KEY "[^"]*\\([^"\\]+)"'),
    }


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def release_files(dist, version, kind):
    """{architecture: path} of the installers ("setup.exe") or zips ("portable.zip") in dist."""
    found = {}
    for arch in ARCHITECTURES:
        path = dist / f"Nimbrel-{version}-{arch}-{kind}"
        if path.is_file():
            found[arch] = path
    return found


def yaml_text(fields):
    """Simple YAML: every scalar in double quotes (JSON's string syntax is YAML's), so a version
    such as 2.10 stays a string."""
    lines = ["# yaml-language-server: $schema=https://aka.ms/winget-manifest."
             f"{fields['ManifestType'].lower()}.{MANIFEST_VERSION}.schema.json", ""]

    def emit(value, indent, prefix):
        pad = " " * indent
        if isinstance(value, dict):
            for index, (key, item) in enumerate(value.items()):
                lead = prefix if index == 0 else pad
                if isinstance(item, (dict, list)):
                    lines.append(f"{lead}{key}:")
                    emit(item, indent + 2, " " * (indent + 2))
                else:
                    lines.append(f"{lead}{key}: {json.dumps(item)}")
        else:
            for item in value:
                if isinstance(item, dict):
                    emit(item, indent + 2, f"{pad}- ")
                else:
                    lines.append(f"{pad}- {json.dumps(item)}")

    emit(fields, 0, "")
    return "\n".join(lines) + "\n"


def winget_manifests(names, version, url, installers):
    identifier = f"{names['maker']}.{names['product']}"
    head = {"PackageIdentifier": identifier, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}
    silent = "/S"
    installer = {
        **head,
        "InstallerLocale": LOCALE,
        "InstallerType": "nullsoft",
        "Scope": "user",
        "InstallModes": ["interactive", "silent", "silentWithProgress"],
        "InstallerSwitches": {"Silent": silent, "SilentWithProgress": silent},
        "UpgradeBehavior": "install",
        "ProductCode": names["product_code"],
        "Installers": [{
            "Architecture": ARCHITECTURES[arch][0],
            "InstallerUrl": f"{url}/{path.name}",
            "InstallerSha256": sha256(path).upper(),
        } for arch, path in installers.items()],
        "ManifestType": "installer",
        **tail,
    }
    locale = {
        **head,
        "PackageLocale": LOCALE,
        "Publisher": names["maker"],
        "PublisherUrl": names["site"],
        "PackageName": names["product"],
        "License": LICENSE,
        "ShortDescription": SHORT_DESCRIPTION,
        "Moniker": names["product"].lower(),
        "ManifestType": "defaultLocale",
        **tail,
    }
    version_file = {**head, "DefaultLocale": LOCALE, "ManifestType": "version", **tail}
    return {
        f"{identifier}.yaml": version_file,
        f"{identifier}.installer.yaml": installer,
        f"{identifier}.locale.{LOCALE}.yaml": locale,
    }


def scoop_manifest(names, version, url, zips):
    exe = "nimbrel.exe"
    return {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": names["site"],
        "license": LICENSE,
        "architecture": {
            ARCHITECTURES[arch][1]: {"url": f"{url}/{path.name}", "hash": sha256(path)}
            for arch, path in zips.items()
        },
        "bin": exe,
        "shortcuts": [[exe, names["product"]]],
    }


def main():
    if len(sys.argv) != 5:
        sys.exit(f"usage: {sys.argv[0]} SOURCE_DIR DIST_DIR VERSION DOWNLOAD_URL")
    source_dir, dist = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    version, url = sys.argv[3], sys.argv[4].rstrip("/")
    names = product_names(source_dir)

    winget = dist / "winget"
    winget.mkdir(exist_ok=True)
    for stale in winget.glob("*.yaml"):
        stale.unlink()
    installers = release_files(dist, version, "setup.exe")
    for name, fields in winget_manifests(names, version, url, installers).items():
        (winget / name).write_text(yaml_text(fields), encoding="utf-8", newline="\n")

    zips = release_files(dist, version, "portable.zip")
    scoop = json.dumps(scoop_manifest(names, version, url, zips), indent=4) + "\n"
    (dist / f"{names['product'].lower()}.json").write_text(scoop, encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
