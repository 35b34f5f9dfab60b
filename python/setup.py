"""Builds the wheel: CMake builds the extension from the whole checkout, statically linked to the
project's libraries, and setuptools packs it with the pure-Python files.

VELUNTA_WHEEL_BUILD_DIR names the folder CMake and setuptools build in (default: build/wheel of
the checkout), so that nothing is written beside the sources."""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent
CHECKOUT = HERE.parent
BUILD = pathlib.Path(os.environ.get("VELUNTA_WHEEL_BUILD_DIR", CHECKOUT / "build" / "wheel")).resolve()


def project_version() -> str:
    text = (CHECKOUT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(velunta VERSION (\S+)", text).group(1)


class CMakeBuild(build_ext):
    """Builds velunta._velunta with CMake: only the libraries the module links, no tests, no
    command, no window."""

    def build_extension(self, ext: Extension) -> None:
        cmake_dir = BUILD / "cmake"
        subprocess.run(
            ["cmake", "-S", str(CHECKOUT), "-B", str(cmake_dir), "-G", "Ninja",
             "-DCMAKE_BUILD_TYPE=Release", f"-DPython3_EXECUTABLE={sys.executable}",
             "-DVELUNTA_BUILD_PYTHON=ON", "-DBUILD_SHARED_LIBS=OFF",
             "-DVELUNTA_BUILD_TESTS=OFF", "-DVELUNTA_BUILD_BENCHMARKS=OFF",
             "-DVELUNTA_BUILD_WINDOW=OFF", "-DVELUNTA_BUILD_CLI=OFF", "-DVELUNTA_BUILD_JS=OFF",
             "-DVELUNTA_MANUAL=OFF", "-DVELUNTA_COMPLETIONS=OFF"],
            check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(cmake_dir), "--target", "velunta_python", "-j", jobs],
                       check=True)
        built = next((cmake_dir / "python" / "velunta").glob("_velunta*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    version=project_version(),
    packages=["velunta"],
    package_data={"velunta": ["py.typed", "*.pyi"]},
    ext_modules=[Extension("velunta._velunta", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": str(BUILD / "setuptools")},
             "egg_info": {"egg_base": str(BUILD)}},
    zip_safe=False,
)
