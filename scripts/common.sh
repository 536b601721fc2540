# Shared by the build scripts: where the sources are, how many jobs, ccache.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${KS_JOBS:-2}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths inside the checkout are hashed relative to the build folder, so
  # every clone of the project, wherever it lies, shares one cache.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$top}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi
