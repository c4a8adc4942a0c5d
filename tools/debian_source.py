"""The Debian package a generator takes its data from: its version and the date of that version,
so that a data file names its source and reads the same however often it is made anew."""
import email.utils
import gzip
import subprocess


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], check=True,
                          capture_output=True, text=True).stdout


def package_date(package):
    """The date of the installed version, from the trailer of its newest changelog entry."""
    with gzip.open(f"/usr/share/doc/{package}/changelog.Debian.gz", "rt", encoding="utf-8") as log:
        for line in log:
            if line.startswith(" -- "):
                return email.utils.parsedate_to_datetime(line.split(">", 1)[1].strip()).date()
    raise RuntimeError(f"no dated entry in the changelog of {package}")


def describe(package):
    """'python3-xraylib 4.0.0+dfsg1-3 (Debian, 2023-01-10)'."""
    return f"{package} {package_version(package)} (Debian, {package_date(package).isoformat()})"


def write_or_check(path, text, argv):
    """Writes the file, or with --check only compares it; returns the exit status."""
    if argv == ["--check"]:
        same = path.exists() and path.read_bytes() == text.encode("utf-8")
        print(f"{path.name} {'matches' if same else 'differs from'} its source")
        return 0 if same else 1
    path.write_bytes(text.encode("utf-8"))
    print(f"wrote {path}")
    return 0
