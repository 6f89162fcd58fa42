#!/usr/bin/env python3
"""Reads the resources back from the built Tarvik.exe (its PE resource
section, as the loader and Explorer see them) and checks what the program
relies on outside its own code: the manifest the loader reads at start and
the one of common controls 6 that the program activates around its dialogs,
the images of the program icon that Explorer, Alt+Tab and the notification area
choose from, and the version Explorer shows, which must be the project's.

Usage: exe_resources_test.py TARVIK.EXE RESOURCE.H VERSION
Exits non-zero and says what is wrong when a check fails.
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1
ISOLATIONAWARE_MANIFEST_RESOURCE_ID = 2

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


def parsed_manifest(resources, name):
    data = resources.get((RT_MANIFEST, name))
    if data is None:
        return None, [f'no manifest (RT_MANIFEST {name})']
    try:
        return ElementTree.fromstring(data), []
    except ElementTree.ParseError as error:
        return None, [f'manifest {name} is not well-formed XML: {error}']


def common_controls_versions(assembly):
    return [identity.get('version') for identity in assembly.iter(ASM_V1 + 'assemblyIdentity')
            if identity.get('name') == 'Microsoft.Windows.Common-Controls']


def check_manifest(resources, version):
    controls, problems = parsed_manifest(resources, ISOLATIONAWARE_MANIFEST_RESOURCE_ID)
    if controls is not None and common_controls_versions(controls) != ['6.0.0.0']:
        problems.append('the second manifest does not ask for common controls 6.0.0.0')
    assembly, unreadable = parsed_manifest(resources, CREATEPROCESS_MANIFEST_RESOURCE_ID)
    if assembly is None:
        return problems + unreadable
    program = assembly.find(ASM_V1 + 'assemblyIdentity')
    if program is None or program.get('version') != version + '.0':
        problems.append(f'the manifest does not name the program version {version}.0')
    # Common controls at process start would load comctl32 before the first window.
    if common_controls_versions(assembly):
        problems.append('the process manifest asks for common controls')
    supported = {os.get('Id') for os in assembly.iter(COMPATIBILITY + 'supportedOS')}
    problems += [f'the manifest does not name {name} as supported'
                 for name, guid in SUPPORTED_OS.items() if guid not in supported]
    aware = [element.text for element in assembly.iter(WINDOWS_SETTINGS_2005 + 'dpiAware')]
    awareness = [element.text for element in assembly.iter(WINDOWS_SETTINGS_2016 + 'dpiAwareness')]
    # Per-monitor v2 where the system knows it, per-monitor (8.1) or system
    # awareness (7, 8) where it does not.
    if aware != ['true/pm'] or awareness != ['PerMonitorV2, PerMonitor']:
        problems.append(f'DPI awareness is {aware} / {awareness}, not per-monitor v2 with the older entry')
    return problems


# Icons shown at several sizes, by their names in resource.h, and the sizes
# each must hold.
MULTI_SIZE_ICONS = {
    'IDI_PROGRAM': [16, 20, 24, 32, 48, 256],
}
PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'


def resource_ids(header_path):
    """The numeric #defines of resource.h by name."""
    ids = {}
    with open(header_path, encoding='utf-8') as header:
        for line in header:
            words = line.split()
            if len(words) >= 3 and words[0] == '#define' and words[2].isdigit():
                ids[words[1]] = int(words[2])
    return ids


def check_icons(resources, ids):
    problems = []
    for name, sizes in MULTI_SIZE_ICONS.items():
        group = resources.get((RT_GROUP_ICON, ids[name]))
        if group is None:
            problems.append(f'no icon group {name}')
            continue
        count = struct.unpack_from('<H', group, 4)[0]
        images = {}
        for index in range(count):
            width, height, _, _, _, bits, _, image_id = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * index)
            images[width or 256] = (height or 256, bits, resources.get((RT_ICON, image_id), b''))
        if sorted(images) != sizes:
            problems.append(f'{name} holds {sorted(images)} pixel images, not {sizes}')
        for size, (height, bits, data) in images.items():
            if height != size or bits != 32 or not data:
                problems.append(f'{name} {size}: {size}x{height}, {bits} bits, {len(data)} bytes')
        if 256 in images and not images[256][2].startswith(PNG_SIGNATURE):
            problems.append(f'{name} 256 is not PNG-compressed')
    return problems


def version_block(data, offset=0):
    """One block of a version resource: (key, value bytes, children)."""
    length, value_length, kind = struct.unpack_from('<HHH', data, offset)
    key_end = offset + 6
    while data[key_end:key_end + 2] != b'\0\0':
        key_end += 2
    key = data[offset + 6:key_end].decode('utf-16-le')
    position = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[position:position + value_size]
    position = (position + value_size + 3) & ~3
    children = []
    while position < offset + length:
        child = version_block(data, position)
        children.append(child[:3])
        position = (position + child[3] + 3) & ~3
    return key, value, children, length


def version_strings(block):
    """Every string value under the block, by key."""
    key, value, children = block[:3]
    strings = {}
    if not children and value:
        strings[key] = value.decode('utf-16-le').rstrip('\0')
    for child in children:
        strings.update(version_strings(child))
    return strings


def check_version(resources, version):
    data = resources.get((RT_VERSION, 1))
    if data is None:
        return ['no version resource']
    root = version_block(data)
    problems = []
    numbers = tuple(int(part) for part in version.split('.')) + (0,)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from('<6I', root[1])
    for name, most, least in (('file', file_ms, file_ls), ('product', product_ms, product_ls)):
        found = (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)
        if signature != 0xFEEF04BD or found != numbers:
            problems.append(f'the fixed {name} version is {found}, not {numbers}')
    strings = version_strings(root)
    for key in ('FileVersion', 'ProductVersion'):
        if strings.get(key) != version:
            problems.append(f'{key} is {strings.get(key)!r}, not {version!r}')
    return problems


def main():
    if len(sys.argv) != 4:
        sys.exit('usage: exe_resources_test.py TARVIK.EXE RESOURCE.H VERSION')
    exe_path, header_path, version = sys.argv[1:]
    with open(exe_path, 'rb') as exe:
        resources = read_resources(exe.read())
    problems = (check_manifest(resources, version)
                + check_icons(resources, resource_ids(header_path))
                + check_version(resources, version))
    for problem in problems:
        print(f'FAIL {problem}')
    if problems:
        sys.exit(1)
    print('ok: manifest, icons, version')


if __name__ == '__main__':
    main()
