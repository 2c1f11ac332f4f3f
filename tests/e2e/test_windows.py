"""What only the Windows programs have: the version record, the OEM code
page of the failure report, and use from a batch file."""

import os
import subprocess

from harness import BANNER, TargetTestCase, WineTarget


class Windows(TargetTestCase):
    applies_to = staticmethod(lambda target: isinstance(target, WineTarget))

    def setUp(self):
        super().setUp()
        self.scratch.write("I386/txtsetup.sif", b"[SCSI.Load]\r\nabc = abc.sys,4\r\n")
        self.scratch.write("I386/dosnet.inf", b"[Files]\r\nd1,abc.sys\r\n")
        self.scratch.write("tool/txtfiles.del", b"abc\r\n")
        self.setup_dir = self.target.path(self.scratch.setup)

    def test_version_record(self):
        probe = os.path.join(os.path.dirname(self.target.executable), "version_probe.exe")
        done = subprocess.run(self.target.command(probe, [self.target.path(self.scratch.program)]),
                              capture_output=True, env=self.target.environment({}))
        self.assertEqual(done.stdout.decode().split("\r\n"), [
            "FileVersion=1.0.0.3", "ProductVersion=1.0.0.3", "Translation=0419 1251",
            "CompanyName=The Vornix developers", "FileDescription=MassStorage driver deleter",
            "FileVersion=1.0.0.3", "InternalName=vornix", "OriginalFilename=vornix.exe",
            "ProductName=Vornix", "ProductVersion=1.0.0.3", ""])

    def test_report_in_the_oem_code_page_of_a_russian_system(self):
        self.scratch.write("I386/txtsetup.sif", b"")
        result = self.scratch.run(self.setup_dir, "-Q", env={"LANG": "ru_RU.UTF-8"})
        self.assertEqual(result.stdout, self.target.screen(BANNER))
        self.assertEqual(result.status, 1)
        report = ("Исключительная ситуация EStringListError в модуле vornix.exe по адресу %s.\r\n"
                  "Индекс списка вышел за границы (-1).\r\n\r\n")
        address = result.stderr.split(b".\r\n")[0][-8:].decode()
        self.assertRegex(address, "^[0-9A-F]{8}$")
        self.assertEqual(result.stderr, (report % address).encode("cp866"))

    def test_batch_file_sees_the_exit_status(self):
        batch = self.scratch.write("run.bat", (
            "@echo off\r\n"
            "\"%s\" \"%s\" -Q >nul\r\n"
            "echo first run %%ERRORLEVEL%%\r\n"
            "\"%s\" \"%s\\missing\" -Q >nul\r\n"
            "echo stopped run %%ERRORLEVEL%%\r\n"
            "copy nul \"%s\\txtsetup.sif\" >nul\r\n"
            "\"%s\" \"%s\" -Q >nul 2>nul\r\n"
            "if errorlevel 1 echo failed run %%ERRORLEVEL%%\r\n"
            % ((self.target.path(self.scratch.program), self.setup_dir) * 2
               + (self.setup_dir,) + (self.target.path(self.scratch.program), self.setup_dir))
        ).encode("ascii"))
        done = subprocess.run(["wine", "cmd", "/c", self.target.path(batch)],
                              capture_output=True, env=self.target.environment({}),
                              cwd=self.scratch.root, stdin=subprocess.DEVNULL)
        self.assertEqual(done.stdout.replace(b"\r\n", b"\n"),
                         b"first run 0\nstopped run 0\nfailed run 1\n")
        self.assertEqual(self.scratch.read("I386/txtsetup.sif"), b"")


def readme_batch_file():
    """The example batch file, exactly as the README shows it."""
    with open(os.path.join(os.path.dirname(__file__), "..", "..", "README.md")) as f:
        text = f.read()
    start = text.index("```bat\n") + len("```bat\n")
    return text[start:text.index("```", start)].replace("\n", "\r\n").encode("ascii")


class ReadmeBatchFile(TargetTestCase):
    applies_to = staticmethod(lambda target: isinstance(target, WineTarget))

    def test_from_another_directory_and_a_path_with_blanks(self):
        s = self.scratch
        tool = os.path.join(s.root, "Program Files", "Vornix tools")
        os.makedirs(tool)
        os.replace(s.program, os.path.join(tool, "vornix.exe"))
        s.write("Program Files/Vornix tools/txtfiles.del", b"abc\r\n")
        batch = s.write("Program Files/Vornix tools/remove-drivers.bat", readme_batch_file())
        source = os.path.join(s.root, "XP source", "I386")
        s.write("XP source/I386/txtsetup.sif", b"[SCSI.Load]\r\nabc = abc.sys,4\r\n")
        s.write("XP source/I386/dosnet.inf", b"[Files]\r\nd1,abc.sys\r\n")
        elsewhere = os.path.join(s.root, "elsewhere")
        os.mkdir(elsewhere)

        # Called from another batch file, as a user's own script would.
        caller = s.write("elsewhere/caller.bat", (
            '@echo off\r\ncall "%s" "%s"\r\necho status %%ERRORLEVEL%%\r\n'
            % (self.target.path(batch), self.target.path(source))).encode("ascii"))

        def run_batch():
            done = subprocess.run(["wine", "cmd", "/c", self.target.path(caller)],
                                  capture_output=True, env=self.target.environment({}),
                                  cwd=elsewhere, stdin=subprocess.DEVNULL)
            lines = done.stdout.split(b"\r\n")
            return lines[-3], int(lines[-2].split(b" ")[-1])

        said, status = run_batch()
        self.assertEqual((said, status),
                         (b"Drivers removed from %s." % self.target.path(source).encode(), 0))
        self.assertEqual(s.read("XP source/I386/dosnet.inf"), b"[Files]\r\n\r\n")

        s.write("XP source/I386/txtsetup.sif", b"")
        self.assertEqual(run_batch(), (b"vornix failed with status 1: see the report above.", 1))

        # wine's "call" turns every failing status into 1, so the batch file's
        # own status 2 is read from a direct run.
        os.remove(os.path.join(source, "txtsetup.sif"))
        done = subprocess.run(["wine", "cmd", "/c", "remove-drivers.bat", self.target.path(source)],
                              capture_output=True, env=self.target.environment({}), cwd=tool,
                              stdin=subprocess.DEVNULL)
        self.assertEqual((done.stdout, done.returncode),
                         (b"There is no txtsetup.sif in %s.\r\n" % self.target.path(source).encode(), 2))
