#!/usr/bin/env python3
"""Reads the resources back from the built Tarvik.exe (its PE resource
section, as the loader and Explorer see them) and checks what the program
relies on outside its own code: the manifest the loader reads at start.

Usage: exe_resources_test.py TARVIK.EXE
Exits non-zero and says what is wrong when a check fails.
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1

ASM_V1 = '{urn:schemas-microsoft-com:asm.v1}'
COMPATIBILITY = '{urn:schemas-microsoft-com:compatibility.v1}'
WINDOWS_SETTINGS_2005 = '{http://schemas.microsoft.com/SMI/2005/WindowsSettings}'
WINDOWS_SETTINGS_2016 = '{http://schemas.microsoft.com/SMI/2016/WindowsSettings}'
SUPPORTED_OS = {
    'Windows 7': '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}',
    'Windows 8': '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}',
    'Windows 8.1': '{1f676c76-80e1-4239-95bb-83d0f6d0da78}',
    'Windows 10 and 11': '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}',
}


def read_resources(image):
    """Every resource of the PE image as {(type, name): data}; types and
    names are numbers or strings, the first language of each is taken."""
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    if image[pe:pe + 4] != b'PE\0\0':
        raise ValueError('not a PE image')
    sections, optional_size = struct.unpack_from('<H12xH', image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from('<H', image, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    resource_rva = struct.unpack_from('<I', image, directories + 2 * 8)[0]

    def file_offset(rva):
        for index in range(sections):
            header = optional + optional_size + 40 * index
            virtual_size, virtual_address, raw_size, raw_pointer = \
                struct.unpack_from('<IIII', image, header + 8)
            if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
                return rva - virtual_address + raw_pointer
        raise ValueError(f'RVA {rva:#x} lies in no section')

    root = file_offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from('<HH', image, root + directory + 12)
        for index in range(named + numbered):
            name, target = struct.unpack_from('<II', image, root + directory + 16 + 8 * index)
            if name & 0x80000000:
                length = struct.unpack_from('<H', image, root + (name & 0x7FFFFFFF))[0]
                start = root + (name & 0x7FFFFFFF) + 2
                name = image[start:start + 2 * length].decode('utf-16-le')
            yield name, target

    resources = {}
    for kind, kind_target in entries(0):
        for name, name_target in entries(kind_target & 0x7FFFFFFF):
            _, leaf = next(entries(name_target & 0x7FFFFFFF))
            data_rva, size = struct.unpack_from('<II', image, root + leaf)
            start = file_offset(data_rva)
            resources[(kind, name)] = image[start:start + size]
    return resources


def check_manifest(resources):
    data = resources.get((RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID))
    if data is None:
        return ['no manifest (RT_MANIFEST 1)']
    try:
        assembly = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        return [f'the manifest is not well-formed XML: {error}']
    problems = []
    controls = [identity for identity in assembly.iter(ASM_V1 + 'assemblyIdentity')
                if identity.get('name') == 'Microsoft.Windows.Common-Controls']
    if [identity.get('version') for identity in controls] != ['6.0.0.0']:
        problems.append('the manifest does not ask for common controls 6.0.0.0')
    supported = {os.get('Id') for os in assembly.iter(COMPATIBILITY + 'supportedOS')}
    problems += [f'the manifest does not name {name} as supported'
                 for name, guid in SUPPORTED_OS.items() if guid not in supported]
    aware = [element.text for element in assembly.iter(WINDOWS_SETTINGS_2005 + 'dpiAware')]
    awareness = [element.text for element in assembly.iter(WINDOWS_SETTINGS_2016 + 'dpiAwareness')]
    if aware != ['true'] or awareness != ['system']:
        problems.append(f'DPI awareness is {aware} / {awareness}, not system-aware')
    return problems


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: exe_resources_test.py TARVIK.EXE')
    with open(sys.argv[1], 'rb') as exe:
        resources = read_resources(exe.read())
    problems = check_manifest(resources)
    for problem in problems:
        print(f'FAIL {problem}')
    if problems:
        sys.exit(1)
    print('ok: manifest')


if __name__ == '__main__':
    main()
