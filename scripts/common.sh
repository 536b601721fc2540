# Shared by the build scripts: where the sources are, how many jobs, ccache.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${KS_JOBS:-2}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
