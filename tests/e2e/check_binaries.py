#!/usr/bin/env python3
"""Checks both shipped programs as files: 32-bit GUI programs that import only
system DLLs, with their picture, icon, dialogs and version block.

    check_binaries.py BUILD_DIR
"""
import struct
import sys
import unittest

import pefile

BUILD = sys.argv.pop(1) if len(sys.argv) > 1 else 'build/win32'
SYSTEM_DLLS = {'KERNEL32.DLL', 'USER32.DLL', 'GDI32.DLL', 'ADVAPI32.DLL', 'SHELL32.DLL',
               'WININET.DLL', 'COMCTL32.DLL', 'MSVCRT.DLL'}
PROGRAMS = ['gamelauncher', 'editorlauncher']
RT_BITMAP, RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION = 2, 3, 5, 14, 16


def resources(pe):
    """{(type, id): bytes} of every resource."""
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in kind.directory.entries:
            for language in entry.directory.entries:
                data = language.data.struct
                found[(kind.id, entry.id)] = pe.get_data(data.OffsetToData, data.Size)
    return found


def utf16z(data, offset):
    end = offset
    while data[end:end + 2] != b'\0\0':
        end += 2
    return data[offset:end].decode('utf-16-le'), end + 2


def sz_or_ord(data, offset):
    if data[offset:offset + 2] == b'\xff\xff':
        return struct.unpack_from('<H', data, offset + 2)[0], offset + 4
    return utf16z(data, offset)


def parse_dialog(data):
    version, signature, _help, ex_style, style, count, x, y, cx, cy = struct.unpack_from(
        '<HHIIIHhhhh', data, 0)
    assert (version, signature) == (1, 0xFFFF), 'not a DIALOGEX'
    offset = 26
    _menu, offset = sz_or_ord(data, offset)
    _klass, offset = sz_or_ord(data, offset)
    caption, offset = utf16z(data, offset)
    points, _weight, _italic, _charset = struct.unpack_from('<HHBB', data, offset)
    font, offset = utf16z(data, offset + 6)
    items = []
    for _ in range(count):
        offset = (offset + 3) & ~3
        _help, item_ex, item_style, ix, iy, icx, icy, ident = struct.unpack_from(
            '<IIIhhhhi', data, offset)
        offset += 24
        klass, offset = sz_or_ord(data, offset)
        text, offset = sz_or_ord(data, offset)
        extra = struct.unpack_from('<H', data, offset)[0]
        offset += 2 + extra
        items.append(dict(ex_style=item_ex, style=item_style, rect=(ix, iy, icx, icy), id=ident,
                          klass=klass, text=text))
    return dict(ex_style=ex_style, style=style, size=(cx, cy), caption=caption,
                font=(font, points), items=items)


class Program(unittest.TestCase):

    def check(self, name):
        pe = pefile.PE(f'{BUILD}/{name}.exe')
        self.assertEqual(pe.FILE_HEADER.Machine, 0x14C, 'a 32-bit (i386) program')
        self.assertEqual(pe.OPTIONAL_HEADER.Subsystem, 2, 'a GUI program, no console')
        imports = {entry.dll.decode().upper() for entry in pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(imports, SYSTEM_DLLS)
        res = resources(pe)

        bitmap = res[(RT_BITMAP, 103)]
        _size, width, height, _planes, bits, compression = struct.unpack_from('<IiiHHI', bitmap)
        self.assertEqual((width, height, bits, compression), (420, 300, 24, 0))

        group = res[(RT_GROUP_ICON, 103)]
        _reserved, _kind, count = struct.unpack_from('<HHH', group)
        self.assertEqual(count, 1)
        w, h, _colors, _r, _planes, bits, _bytes, icon_id = struct.unpack_from('<BBBBHHIH', group, 6)
        self.assertEqual((w, h, bits, icon_id), (32, 32, 24, 1))
        _size, iw, ih, _planes, ibits = struct.unpack_from('<IiiHH', res[(RT_ICON, 1)])
        self.assertEqual((iw, ih, ibits), (32, 64, 24))  # height counts the mask too

        splash = parse_dialog(res[(RT_DIALOG, 101)])
        self.assertEqual(splash['style'], 0x9000084E)
        self.assertEqual(splash['ex_style'], 0x8)  # WS_EX_TOPMOST
        self.assertEqual(splash['size'], (118, 63))
        self.assertEqual(splash['font'], ('MS Shell Dlg', 8))
        self.assertEqual((splash['caption'], splash['items']), ('', []))

        download = parse_dialog(res[(RT_DIALOG, 104)])
        self.assertEqual(download['style'], 0x90C808CD)
        self.assertEqual(download['caption'], 'Downloading Patch')
        self.assertEqual(download['size'], (186, 68))
        self.assertEqual(download['font'], ('MS Shell Dlg', 8))
        # Window class names are not case-sensitive; windres writes them in capitals.
        controls = [(i['id'], i['klass'].lower() if isinstance(i['klass'], str) else i['klass'],
                     i['text'], i['rect']) for i in download['items']]
        self.assertEqual(controls, [
            (2, 0x80, 'Cancel', (129, 47, 50, 14)),
            (-1, 0x82, 'Downloading...', (7, 7, 172, 8)),
            (1001, 'msctls_progress32', '', (7, 17, 172, 9)),
            (1002, 0x82, '0/0 bytes', (7, 28, 172, 8)),
        ])
        progress = download['items'][2]
        self.assertEqual(progress['style'] & 0x00800001, 0x00800001)  # WS_BORDER | PBS_SMOOTH
        self.assertEqual(progress['ex_style'], 0x20)  # WS_EX_TRANSPARENT
        self.assertEqual(download['items'][1]['style'] & 0x3, 0)  # SS_LEFT
        self.assertEqual(download['items'][3]['style'] & 0x3, 1)  # SS_CENTER

        fixed = pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 0x50001))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 0x50001))
        self.assertEqual(fixed.FileFlagsMask, 0x17)
        self.assertEqual(fixed.FileOS, 0x4)  # VOS__WINDOWS32
        self.assertEqual(fixed.FileType, 0x1)  # VFT_APP
        tables = {}
        for info in pe.FileInfo[0]:
            if info.Key == b'StringFileInfo':
                for table in info.StringTable:
                    tables[table.LangID] = {k.decode(): v.decode() for k, v in table.entries.items()}
            if info.Key == b'VarFileInfo':
                self.assertEqual(info.Var[0].entry, {b'Translation': '0x0409 0x04b0'})
        self.assertEqual(list(tables), [b'040904b0'])
        strings = tables[b'040904b0']
        for key in ('FileDescription', 'InternalName', 'ProductName'):
            self.assertEqual(strings[key], 'Karvend 2 Launcher')
        self.assertEqual(strings['OriginalFilename'], f'{name}.exe')
        self.assertEqual(strings['FileVersion'], '1, 0, 5, 1')
        self.assertEqual(strings['ProductVersion'], '1, 0, 5, 1')
        return res

    def test_programs(self):
        pictures = {}
        for name in PROGRAMS:
            with self.subTest(program=name):
                res = self.check(name)
                pictures[name] = (res[(RT_BITMAP, 103)], res[(RT_ICON, 1)])
        self.assertNotEqual(pictures['gamelauncher'][0], pictures['editorlauncher'][0],
                            'each program has its own splash picture')
        self.assertNotEqual(pictures['gamelauncher'][1], pictures['editorlauncher'][1],
                            'each program has its own icon')


if __name__ == '__main__':
    unittest.main(verbosity=2)
