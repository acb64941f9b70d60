"""The release packages that scripts/package makes, checked as a user meets them.

- The .deb: unpacked into a scratch root (dpkg -x), it holds every file of the install rules
  (and the same ones that `cmake --install` puts under a DESTDIR); lintian finds no error in it;
  its desktop entry and AppStream metainfo validate; its program, started from the scratch root
  on Xvfb with openbox, shows the strip at its start geometry and ends on a double-click of the
  close mark.
- The texts that name where to find the project and its publisher: no address while none is set,
  and in every package the ones set in the CMake cache.
- The portable zip: coverstrip.exe with LICENSE.txt and README.md; the exe stripped, at most
  100 KB, importing system DLLs only and no hook function, with its version resource and its
  icon at every size; it starts under Wine and ends on the close mark.
- Both programs answer --help and --version and refuse other arguments, quoted as typed (in any
  script), with no display.
- The installer: run silently (/S) under Wine in a fresh prefix, it installs the exe, the
  licence, the README, the Start-menu shortcut and the "Apps" entry; the shortcut starts the
  program, whose strip shows; installed again over two running strips, it closes both and
  replaces the exe; the uninstaller, also silent and with two strips running, closes them and
  removes all (Wine set to report Windows 10). On a Windows older than the exe needs (Wine set
  to 7 or 8.1) it installs nothing and ends with status 2.

The X session and the Wine prefix come from the end-to-end harness (tests/e2e/harness.py).

Environment:
  COVERSTRIP_PACKAGES  the folder scripts/package filled (default: build/packages)
  COVERSTRIP_PEER      the end-to-end peer window program, which paints the screen's root
                       (default: the Linux build's, build/linux/tests/e2e/coverstrip_peer)
"""

import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PACKAGES = os.path.abspath(os.environ.get("COVERSTRIP_PACKAGES") or
                           os.path.join(ROOT, "build", "packages"))
os.environ.setdefault("COVERSTRIP_PEER",
                      os.path.join(ROOT, "build", "linux", "tests", "e2e", "coverstrip_peer"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness import Desktop, WinePrefix, wait_for  # noqa: E402
from overlay_facts import BLACK, CLOSE_MARK_POINT, SCREEN  # noqa: E402
from overlay_facts import START as START_GEOMETRY  # noqa: E402
from xsession import end_process, run_command, spawn  # noqa: E402


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
        match = re.search(r"project\(\s*coverstrip\s+VERSION\s+(\d+\.\d+\.\d+)", f.read())
    return match.group(1)


VERSION = project_version()
DEB = os.path.join(PACKAGES, f"coverstrip_{VERSION}_amd64.deb")
ZIP = os.path.join(PACKAGES, f"coverstrip-{VERSION}-windows-x64.zip")
SETUP = os.path.join(PACKAGES, f"coverstrip-{VERSION}-setup-x64.exe")
APP_ID = "io.github.coverstrip.coverstrip"
ICO = os.path.join(ROOT, "assets", "coverstrip.ico")
ICON_SIZES = sorted(int(d.split("x")[0]) for d in os.listdir(os.path.join(ROOT, "assets",
                                                                            "hicolor")))

MAX_PORTABLE_SIZE = 100_000  # bytes
# DLLs that every Windows 10 and 11 has; anything else would have to ship beside the exe.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
               "msvcrt.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "uxtheme.dll",
               "dwmapi.dll", "shcore.dll", "ntdll.dll"}

# Every size Windows shows the icon at, up to the 256 px of large views.
ICO_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
PORTABLE_FILES = {"coverstrip.exe", "LICENSE.txt", "README.md"}

# What each command line makes the program say and end with, no display needed:
# (arguments, exit status, standard output, standard error), the texts as regular expressions.
COMMAND_LINE = [
    (["--version"], 0, re.escape(f"coverstrip {VERSION}") + r"\r?\n", ""),
    (["--help"], 0, r"Usage: coverstrip \[--peek-while-paused\](.|\n)*Ctrl\+Alt(.|\n)*"
                    r"Exit status: 0(.|\n)*", ""),
    (["--bogus"], 2, "", r"coverstrip: unknown option '--bogus'[^\n]*\n"),
    (["--help", "more"], 2, "", r"coverstrip: unknown option 'more'[^\n]*\n"),
    (["--\u0142\u5b57"], 2, "", "coverstrip: unknown option '--\u0142\u5b57'[^\n]*\n"),
]

# The addresses a publisher sets, and the texts of every package that must name them.
ADDRESSES = {"COVERSTRIP_HOMEPAGE": "https://example.org/strip",
             "COVERSTRIP_CONTACT": "someone@example.org",
             "COVERSTRIP_SCREENSHOT_URL": "https://example.org/strip.png"}
PUBLISHER_TEXTS = {f"{APP_ID}.metainfo.xml": ["COVERSTRIP_HOMEPAGE", "COVERSTRIP_CONTACT",
                                              "COVERSTRIP_SCREENSHOT_URL"],
                   "copyright": ["COVERSTRIP_HOMEPAGE", "COVERSTRIP_CONTACT"],
                   "changelog": ["COVERSTRIP_CONTACT"],
                   "coverstrip.1": ["COVERSTRIP_HOMEPAGE"],
                   "publisher.nsh": ["COVERSTRIP_HOMEPAGE", "COVERSTRIP_CONTACT"]}

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\coverstrip"


def setUpModule():
    missing = [p for p in (DEB, ZIP, SETUP) if not os.path.isfile(p)]
    if missing:
        raise RuntimeError("no package " + ", ".join(missing) + ": run scripts/package first")


def run(*args, env=None, timeout=60):
    """Runs a command to its end, whatever its status; what it wrote on both streams as stdout."""
    result = run_command(args, env, timeout=timeout, check=False)
    result.stdout += result.stderr
    return result


def files_under(root):
    """The relative paths of the regular files and links under root."""
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise AssertionError(f"{path} is not a PNG")
    return struct.unpack(">II", head[16:24])


def ico_images(path):
    """The images of an .ico file: (side, bits a pixel, whether stored as PNG) each."""
    with open(path, "rb") as f:
        data = f.read()
    _, kind, count = struct.unpack_from("<HHH", data)
    assert kind == 1, "not an icon"
    images = []
    for i in range(count):
        side, _, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images.append((side or 256, bits, data[offset:offset + 8] == b"\x89PNG\r\n\x1a\n"))
    return images


def assert_command_line(test, command, env):
    """Runs the program with each command line of the table and checks what it says."""
    for arguments, status, out, err in COMMAND_LINE:
        with test.subTest(arguments=arguments):
            result = run_command(command + arguments, env, timeout=60, check=False)
            test.assertEqual(result.returncode, status, result.stderr)
            test.assertRegex(result.stdout, "^" + out + "$")
            test.assertRegex(result.stderr, "^" + err + "$")


def version_resource(data):
    """The VS_VERSIONINFO resource of a PE file: (file version, {string name: value}).

    Reads the resource as Explorer does: the fixed file version and the strings of
    StringFileInfo. None when the file has no such resource."""
    start = data.find("VS_VERSION_INFO\0".encode("utf-16-le"))
    if start < 6:
        return None

    def align(offset):
        return (offset + 3) & ~3

    def node(offset):
        length, value_length, kind = struct.unpack_from("<HHH", data, offset)
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = align(key_end + 2)
        value_size = value_length * 2 if kind == 1 else value_length
        value = data[value_start:value_start + value_size]
        children = []
        child = align(value_start + value_size)
        while child < offset + length:
            child_length = struct.unpack_from("<H", data, child)[0]
            if child_length == 0:
                break
            children.append(node(child))
            child = align(child + child_length)
        return key, kind, value, children

    key, _, fixed, children = node(start - 6)
    signature, _, file_ms, file_ls = struct.unpack_from("<IIII", fixed)
    if key != "VS_VERSION_INFO" or signature != 0xFEEF04BD:
        return None
    version = (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF)
    strings = {}
    for child_key, _, _, tables in children:
        if child_key == "StringFileInfo":
            for _, _, _, entries in tables:
                for name, _, value, _ in entries:
                    strings[name] = value.decode("utf-16-le").split("\0")[0]
    return version, strings


class Program:
    """A program of a package on the test session, seen through its window "Form1"."""

    def __init__(self, session, args, env):
        self.session = session
        self.args = list(map(str, args))
        self.env = env
        self.process = None
        self.window = None

    def start(self):
        before = set(self.session.viewable_windows("^Form1$"))
        self.process = spawn(self.args, env=self.env, stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def new_windows():
            return [w for w in self.session.viewable_windows("^Form1$") if w not in before]

        self.window = wait_for(new_windows, lambda ws: len(ws) == 1, 40, "one new Form1")[0]
        return self

    def geometry(self):
        return self.session.geometry(self.window)

    def strip_colours(self):
        x, y, width, height = self.geometry()
        shot = self.session.pixels(x, y, width, height)
        return {shot.pixel(x + px, y + py) for px in (40, width // 2, width - 2)
                for py in (1, height // 2, height - 2)}

    def close_with_the_mark(self):
        x, y, _, _ = self.geometry()
        self.session.move(x + CLOSE_MARK_POINT[0], y + CLOSE_MARK_POINT[1])
        self.session.double_click()
        wait_for(lambda: self.session.window_info(self.window),
                 lambda info: info is None or not info["viewable"], 10, "closed")

    def wait_closed(self, timeout):
        wait_for(lambda: self.session.window_info(self.window),
                 lambda info: info is None or not info["viewable"], timeout, "closed")

    def wait_exit(self, timeout):
        wait_for(self.process.poll, lambda rc: rc is not None, timeout, "ended")

    def stop(self):
        end_process(self.process, timeout=10)


class PackageTestCase(unittest.TestCase):
    def scratch(self):
        folder = tempfile.mkdtemp(prefix="coverstrip-packages-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        return folder

    def x_session(self):
        session = Desktop(*SCREEN)
        self.addCleanup(session.stop)
        session.start()
        return session

    def wine_prefix(self, session):
        """A new Wine prefix of its own, created now and removed afterwards."""
        prefix = WinePrefix(os.path.join(self.scratch(), "prefix"), session)
        self.addCleanup(prefix.close)
        prefix.open()
        return prefix

    @staticmethod
    def wine_env(prefix):
        # No menu entries or icons from Wine's shell in the real home folder.
        env = prefix.env()
        env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
        return env

    def start_program(self, session, args, env):
        program = Program(session, args, env)
        self.addCleanup(program.stop)
        return program.start()

    def assert_shows_the_strip(self, program):
        wait_for(program.geometry, lambda g: g == START_GEOMETRY, 10,
                 f"at the start geometry {START_GEOMETRY}")
        wait_for(program.strip_colours, lambda c: c == {BLACK}, 10, "showing the black strip")


class DebianPackage(PackageTestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.mkdtemp(prefix="coverstrip-deb-")
        subprocess.run(["dpkg-deb", "-x", DEB, cls.root], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def path(self, relative):
        return os.path.join(self.root, relative)

    def expected_files(self):
        files = {
            "usr/bin/coverstrip",
            f"usr/share/applications/{APP_ID}.desktop",
            f"usr/share/metainfo/{APP_ID}.metainfo.xml",
            "usr/share/man/man1/coverstrip.1.gz",
            "usr/share/doc/coverstrip/README.md",
            "usr/share/doc/coverstrip/copyright",
            "usr/share/doc/coverstrip/changelog.gz",
            # No contact address, so none in the maintainer field: said to lintian.
            "usr/share/lintian/overrides/coverstrip",
        }
        files |= {f"usr/share/icons/hicolor/{s}x{s}/apps/coverstrip.png" for s in ICON_SIZES}
        return files

    def test_holds_every_file(self):
        self.assertEqual(files_under(self.root), self.expected_files())
        self.assertTrue(os.access(self.path("usr/bin/coverstrip"), os.X_OK))
        self.assertTrue({16, 32, 48, 64, 128, 256} <= set(ICON_SIZES))
        for size in ICON_SIZES:
            icon = self.path(f"usr/share/icons/hicolor/{size}x{size}/apps/coverstrip.png")
            self.assertEqual(png_size(icon), (size, size))

    def test_cmake_install_puts_the_same_files_under_a_destdir(self):
        build = os.path.join(ROOT, "build", "package-linux")
        destdir = self.scratch()
        result = run("cmake", "--install", build, "--prefix", "/usr",
                     env=dict(os.environ, DESTDIR=destdir))
        self.assertEqual(result.returncode, 0, result.stdout)
        self.assertEqual(files_under(destdir), files_under(self.root))

    def test_control_fields_come_from_the_project(self):
        fields = run("dpkg-deb", "-f", DEB, "Package", "Version", "Architecture", "Depends",
                     "Homepage").stdout
        self.assertIn("Package: coverstrip\n", fields)
        self.assertIn(f"Version: {VERSION}\n", fields)
        self.assertIn("Architecture: amd64\n", fields)
        # Computed by dpkg-shlibdeps from the binary, with the versions its symbols need.
        depends = re.search(r"Depends: (.*)", fields).group(1)
        for library in ("libc6 (>=", "libqt6widgets6 (>=", "libqt6gui6 (>=", "libqt6core6 (>=",
                        "libqt6dbus6 (>="):
            self.assertIn(library, depends)

    def test_lintian_finds_no_error(self):
        result = run("lintian", "--fail-on", "error", DEB, timeout=120)
        errors = [line for line in result.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [])
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_desktop_entry_validates(self):
        entry = self.path(f"usr/share/applications/{APP_ID}.desktop")
        result = run("desktop-file-validate", entry)
        self.assertEqual((result.returncode, result.stdout), (0, ""))
        with open(entry) as f:
            text = f.read()
        self.assertIn("\nExec=coverstrip\n", text)
        self.assertIn("\nExec=coverstrip --peek-while-paused\n", text)
        self.assertIn("\nIcon=coverstrip\n", text)

    def test_metainfo_validates_and_names_this_release(self):
        metainfo = self.path(f"usr/share/metainfo/{APP_ID}.metainfo.xml")
        result = run("appstreamcli", "validate", "--no-net", "--pedantic", metainfo)
        self.assertEqual(result.returncode, 0, result.stdout)
        with open(metainfo) as f:
            text = f.read()
        self.assertIn(f"<launchable type=\"desktop-id\">{APP_ID}.desktop</launchable>", text)
        self.assertIn("<project_license>MIT</project_license>", text)
        self.assertIn("Ctrl+Alt", text)
        self.assertIn("<developer>", text)
        newest = re.search(r"<release version=\"([^\"]+)\"", text).group(1)
        self.assertEqual(newest, VERSION, "the metainfo's newest release is not this version")

    def test_documents_name_the_licence_and_this_version(self):
        with open(self.path("usr/share/doc/coverstrip/copyright")) as f:
            copyright_text = f.read()
        self.assertIn("Copyright: ", copyright_text)
        self.assertIn("License: Expat", copyright_text)
        self.assertIn("Permission is hereby granted, free of charge", copyright_text)
        with gzip.open(self.path("usr/share/doc/coverstrip/changelog.gz"), "rt") as f:
            newest = f.readline()
        self.assertTrue(newest.startswith(f"coverstrip ({VERSION})"),
                        f"the changelog's newest entry is not this version: {newest!r}")

    def test_names_no_address_until_a_publisher_sets_them(self):
        fields = run("dpkg-deb", "-f", DEB, "Maintainer", "Homepage").stdout
        self.assertEqual(fields, "Maintainer: coverstrip\n")
        with gzip.open(self.path("usr/share/man/man1/coverstrip.1.gz"), "rt") as f:
            manual = f.read()
        self.assertIn("Ctrl+Alt", manual)
        self.assertRegex(manual, r"\.SH EXIT STATUS(.|\n)*\.B 1\n[^\n]*X display")
        for relative in files_under(self.root):
            with open(self.path(relative), "rb") as f:
                data = f.read()
            if relative.endswith(".gz"):
                data = gzip.decompress(data)
            if not relative.startswith("usr/bin/") and not relative.endswith(".png"):
                with self.subTest(file=relative):
                    self.assertEqual(re.findall(rb"https?://(?!www\.debian\.org/)\w\S*|\S+@\w\S*",
                                                data), [])

    def test_every_package_takes_the_addresses_set_in_cmake(self):
        build = self.scratch()
        result = run("cmake", "-S", ROOT, "-B", build, "-DCOVERSTRIP_APP=OFF",
                     "-DCOVERSTRIP_TESTS=OFF", *(f"-D{k}={v}" for k, v in ADDRESSES.items()),
                     timeout=120)
        self.assertEqual(result.returncode, 0, result.stdout)
        for name, variables in PUBLISHER_TEXTS.items():
            with open(os.path.join(build, "packaging", name)) as f:
                text = f.read()
            for variable in variables:
                with self.subTest(file=name, variable=variable):
                    self.assertIn(ADDRESSES[variable], text)

    def test_command_line_needs_no_display(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        assert_command_line(self, [self.path("usr/bin/coverstrip")], env)

    def test_program_shows_the_strip_and_ends_on_the_close_mark(self):
        session = self.x_session()
        program = self.start_program(session, [self.path("usr/bin/coverstrip")], session.env())
        self.assert_shows_the_strip(program)
        program.close_with_the_mark()
        program.wait_exit(10)


class PortableProgram(PackageTestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="coverstrip-zip-")
        with zipfile.ZipFile(ZIP) as archive:
            cls.names = archive.namelist()
            archive.extractall(cls.folder)
        cls.exe = os.path.join(cls.folder, "coverstrip.exe")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def objdump(self, *options):
        result = run("x86_64-w64-mingw32-objdump", *options, self.exe)
        self.assertEqual(result.returncode, 0, result.stdout)
        return result.stdout

    def test_holds_the_exe_with_its_licence_and_readme(self):
        self.assertEqual(set(self.names), PORTABLE_FILES)
        for name, source in (("LICENSE.txt", "LICENSE"), ("README.md", "README.md")):
            with open(os.path.join(self.folder, name), "rb") as copy, \
                    open(os.path.join(ROOT, source), "rb") as original:
                self.assertEqual(copy.read(), original.read())

    def test_icon_is_drawn_at_every_size_with_alpha(self):
        # The exe's, the installer's and the uninstaller's icon.
        images = ico_images(ICO)
        self.assertEqual([side for side, _, _ in images], ICO_SIZES)
        self.assertEqual({bits for _, bits, _ in images}, {32})
        self.assertIn((256, 32, True), images)
        with open(ICO, "rb") as icon, open(self.exe, "rb") as exe:
            data = icon.read()
            largest = data[data.rfind(b"\x89PNG"):]
            self.assertIn(largest, exe.read(), "the exe does not carry the 256 px image")

    def test_is_small_and_stripped(self):
        self.assertLessEqual(os.path.getsize(self.exe), MAX_PORTABLE_SIZE)
        self.assertIn("no symbols", self.objdump("-t"))
        self.assertNotIn(".debug", self.objdump("-h"))

    def test_imports_system_dlls_only_and_no_hook_function(self):
        imports = self.objdump("-p")
        imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", imports)}
        self.assertTrue(imported, "no imports found")
        self.assertLessEqual(imported, SYSTEM_DLLS)
        # A small unsigned exe that hooks and reads the keyboard is what antivirus heuristics flag.
        functions = re.findall(r"^\t[0-9a-f]+\t +\d+  (\w+)$", imports, re.M)
        self.assertIn("GetAsyncKeyState", functions)
        self.assertEqual([f for f in functions if "Hook" in f], [])

    def test_has_a_version_resource(self):
        with open(self.exe, "rb") as f:
            resource = version_resource(f.read())
        self.assertIsNotNone(resource, "no VERSIONINFO resource")
        version, strings = resource
        self.assertEqual(version, tuple(map(int, VERSION.split("."))) + (0,))
        self.assertEqual(strings.get("ProductName"), "coverstrip")
        self.assertEqual(strings.get("ProductVersion"), VERSION)
        self.assertEqual(strings.get("FileVersion"), VERSION)
        self.assertTrue(strings.get("FileDescription"))
        self.assertIn("MIT", strings.get("LegalCopyright", ""))

    def test_command_line_under_wine(self):
        prefix = self.wine_prefix(self.x_session())
        env = self.wine_env(prefix)
        assert_command_line(self, ["wine", self.exe], env)

    def test_starts_under_wine_and_ends_on_the_close_mark(self):
        session = self.x_session()
        prefix = self.wine_prefix(session)
        program = self.start_program(session, ["wine", self.exe], self.wine_env(prefix))
        self.assert_shows_the_strip(program)
        program.close_with_the_mark()
        program.wait_exit(10)


class WindowsInstaller(PackageTestCase):
    def test_has_a_version_resource(self):
        with open(SETUP, "rb") as f:
            resource = version_resource(f.read())
        self.assertIsNotNone(resource, "no VERSIONINFO resource")
        self.assertEqual(resource[1].get("ProductVersion"), VERSION)

    @staticmethod
    def report_windows(env, version):
        """Has Wine report the Windows its registry names so ("win10": build 18362 in Wine 8,
        whose own default is "win7")."""
        run_command(["wine", "reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", version,
                     "/f"], env, timeout=60)

    def test_refuses_a_windows_older_than_the_exe_needs(self):
        env = self.wine_env(self.wine_prefix(self.x_session()))
        for version in ("win7", "win81"):
            with self.subTest(version=version):
                self.report_windows(env, version)
                result = run("wine", SETUP, "/S", env=env, timeout=120)
                self.assertEqual(result.returncode, 2, result.stdout)
                self.assertNotEqual(run("wine", "reg", "query", UNINSTALL_KEY, env=env).returncode,
                                    0)

    def test_installs_silently_for_the_user_and_uninstalls(self):
        session = self.x_session()
        prefix = self.wine_prefix(session)
        env = self.wine_env(prefix)
        self.report_windows(env, "win10")
        users = os.path.join(prefix.path, "drive_c", "users")
        user = wait_for(lambda: [u for u in os.listdir(users) if u != "Public"],
                        lambda us: len(us) == 1, 10, "one user folder in the prefix")[0]
        profile = os.path.join(users, user)
        folder = os.path.join(profile, "AppData", "Local", "Programs", "coverstrip")
        exe = os.path.join(folder, "coverstrip.exe")
        uninstaller = os.path.join(folder, "uninstall.exe")
        programs_menu = os.path.join(profile, "AppData", "Roaming", "Microsoft", "Windows",
                                     "Start Menu", "Programs")
        shortcut = os.path.join(programs_menu, "coverstrip.lnk")
        paused_shortcut = os.path.join(programs_menu, "coverstrip, peek while paused.lnk")

        def registered():
            return run("wine", "reg", "query", UNINSTALL_KEY, env=env).stdout

        def install(*options):
            result = run("wine", SETUP, "/S", *options, env=env, timeout=120)
            self.assertEqual(result.returncode, 0, result.stdout)
            wait_for(lambda: [os.path.isfile(p)
                              for p in (exe, uninstaller, shortcut, paused_shortcut)],
                     all, 30, "the exe, the uninstaller and the shortcuts installed")
            self.assertEqual(files_under(folder), PORTABLE_FILES | {"uninstall.exe"})
            with zipfile.ZipFile(ZIP) as archive:
                for name in PORTABLE_FILES:
                    with open(os.path.join(folder, name), "rb") as installed:
                        self.assertEqual(installed.read(), archive.read(name), name)

        def start_from_the_shortcut(link=shortcut):
            program = self.start_program(session, ["wine", "start", "/unix", link], env)
            self.assert_shows_the_strip(program)
            return program

        install()
        for link, arguments in ((shortcut, False), (paused_shortcut, True)):
            with open(link, "rb") as f:
                target = f.read()
            self.assertIn("coverstrip.exe".encode("utf-16-le"), target)
            self.assertEqual("--peek-while-paused".encode("utf-16-le") in target, arguments)
        entry = registered()
        self.assertRegex(entry, r"DisplayName\s+REG_SZ\s+coverstrip\s")
        self.assertRegex(entry, r"DisplayVersion\s+REG_SZ\s+" + re.escape(VERSION) + r"\s")
        self.assertRegex(entry, r"UninstallString\s+REG_SZ\s+\"C:\\users\\[^\"]+\\uninstall\.exe\"")
        self.assertRegex(entry, r"QuietUninstallString\s+REG_SZ\s+\".*uninstall\.exe\" /S")
        self.assertNotRegex(entry, r"URLInfoAbout|Contact")
        # "Apps" shows the size of every installed file, the uninstaller's too, in KiB.
        size = sum(os.path.getsize(os.path.join(folder, n)) for n in files_under(folder))
        estimated = int(re.search(r"EstimatedSize\s+REG_DWORD\s+0x([0-9a-f]+)", entry).group(1), 16)
        self.assertAlmostEqual(estimated, size / 1024, delta=len(files_under(folder)))

        # Installed again over two running strips (one over the top subtitles, one over the bottom
        # ones, started from either shortcut), as a scripted upgrade is, the installer closes both,
        # as their close marks would, and writes the exe.
        programs = [start_from_the_shortcut(link) for link in (shortcut, paused_shortcut)]
        install()
        for program in programs:
            program.wait_closed(30)

        # Into another folder: the copy in the registered one is removed first.
        first = folder
        folder = os.path.join(profile, "Other")
        exe, uninstaller = (os.path.join(folder, n) for n in ("coverstrip.exe", "uninstall.exe"))
        install(rf"/D=C:\users\{user}\Other")
        self.assertFalse(os.path.exists(first))
        self.assertRegex(registered(), r"InstallLocation\s+REG_SZ\s+C:\\users\\[^\\]+\\Other\s")

        # Run with two strips running, the uninstaller too closes them. It copies itself away and
        # returns at once; its copy closes the strips and does the work.
        programs = [start_from_the_shortcut() for _ in range(2)]
        result = run("wine", uninstaller, "/S", env=env, timeout=120)
        self.assertEqual(result.returncode, 0, result.stdout)
        for program in programs:
            program.wait_closed(30)
        wait_for(lambda: [os.path.exists(p)
                          for p in (exe, uninstaller, shortcut, paused_shortcut, folder)],
                 lambda seen: not any(seen), 30, "the installed files removed")
        wait_for(lambda: run("wine", "reg", "query", UNINSTALL_KEY, env=env).returncode,
                 lambda rc: rc != 0, 30, "the Apps entry removed")


if __name__ == "__main__":
    unittest.main()
