#!/usr/bin/env python3
"""Checks the package manager's manifests that scripts/package.sh filled
against the installer it built: the version everywhere is the installer's own
(its version resource), the hash is the installer's SHA-256, the installer
is the per-user NSIS one with its silent switch, and the four files agree
on the package and its locales. A package manager that trusted a stale hash
or a wrong switch would refuse the download or hang on the installer's pages.

Usage: winget_manifest_test.py MANIFEST_DIR INSTALLER.EXE VERSION
Exits non-zero and says what is wrong when a check fails.
"""
import hashlib
import os
import re
import sys

import yaml

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from exe_resources_test import check_version, read_resources  # noqa: E402

IDENTIFIER = 'Tarvik.Tarvik'
MANIFEST_VERSION = '1.6.0'
FILES = {
    'version': f'{IDENTIFIER}.yaml',
    'installer': f'{IDENTIFIER}.installer.yaml',
    'defaultLocale': f'{IDENTIFIER}.locale.ja-JP.yaml',
    'locale': f'{IDENTIFIER}.locale.en-US.yaml',
}


def load(folder):
    manifests = {}
    for kind, name in FILES.items():
        with open(os.path.join(folder, name), encoding='utf-8') as file:
            text = file.read()
        placeholder = re.search(r'@[A-Z_0-9]+@', text)
        if placeholder:
            raise ValueError(f'{name} still holds {placeholder.group()}')
        manifests[kind] = yaml.safe_load(text)
    return manifests


def check_common(manifests, version):
    problems = []
    for kind, manifest in manifests.items():
        expected = {'PackageIdentifier': IDENTIFIER, 'PackageVersion': version,
                    'ManifestType': kind, 'ManifestVersion': MANIFEST_VERSION}
        for key, value in expected.items():
            if manifest.get(key) != value:
                problems.append(f'{FILES[kind]}: {key} is {manifest.get(key)!r}, not {value!r}')
    if manifests['version'].get('DefaultLocale') != manifests['defaultLocale'].get('PackageLocale'):
        problems.append('the default locale is not the one the ja-JP file describes')
    for kind, locale in (('defaultLocale', 'ja-JP'), ('locale', 'en-US')):
        manifest = manifests[kind]
        if manifest.get('PackageLocale') != locale:
            problems.append(f'{FILES[kind]}: PackageLocale is {manifest.get("PackageLocale")!r}')
        for key in ('Publisher', 'PackageName', 'License', 'ShortDescription'):
            if not manifest.get(key):
                problems.append(f'{FILES[kind]}: no {key}')
    return problems


def check_installer(manifest, installer_path, version):
    problems = []
    with open(installer_path, 'rb') as file:
        image = file.read()
    expected = {'InstallerType': 'nullsoft', 'Scope': 'user'}
    for key, value in expected.items():
        if manifest.get(key) != value:
            problems.append(f'{key} is {manifest.get(key)!r}, not {value!r}')
    switches = manifest.get('InstallerSwitches') or {}
    for key in ('Silent', 'SilentWithProgress'):
        if switches.get(key) != '/S':
            problems.append(f'the {key} switch is {switches.get(key)!r}, not /S')
    if 'silent' not in (manifest.get('InstallModes') or []):
        problems.append('silent is not among the install modes')
    entries = manifest.get('AppsAndFeaturesEntries') or [{}]
    if entries[0].get('DisplayVersion') != version:
        problems.append(f'the Apps & features version is {entries[0].get("DisplayVersion")!r}')
    installers = manifest.get('Installers') or []
    if len(installers) != 1:
        return problems + [f'{len(installers)} installers, not 1']
    installer = installers[0]
    digest = hashlib.sha256(image).hexdigest()
    if str(installer.get('InstallerSha256', '')).lower() != digest:
        problems.append(f'InstallerSha256 is {installer.get("InstallerSha256")}, the installer\'s is {digest}')
    url = str(installer.get('InstallerUrl', ''))
    if not url.startswith('https://') or not url.endswith('/' + os.path.basename(installer_path)):
        problems.append(f'InstallerUrl {url!r} does not name {os.path.basename(installer_path)}')
    if installer.get('Architecture') != 'x64':
        problems.append(f'the architecture is {installer.get("Architecture")!r}, Tarvik.exe is x64')
    problems += [f'the installer: {problem}' for problem in check_version(read_resources(image), version)]
    return problems


def main():
    if len(sys.argv) != 4:
        sys.exit('usage: winget_manifest_test.py MANIFEST_DIR INSTALLER.EXE VERSION')
    folder, installer_path, version = sys.argv[1:]
    manifests = load(folder)
    problems = check_common(manifests, version) + check_installer(manifests['installer'], installer_path, version)
    for problem in problems:
        print(f'FAIL {problem}')
    if problems:
        sys.exit(1)
    print('ok: version, hash, switches, scope, locales')


if __name__ == '__main__':
    main()
