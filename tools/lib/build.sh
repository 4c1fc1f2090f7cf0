# Sourced by the commands that build something before they use it, from the project's top
# folder: installs the Debian packages that the purpose needs (tools/setup), configures the
# preset quietly and builds the targets named, or all of the preset's without a name.
#
#   . tools/lib/build.sh
#   build PURPOSE PRESET [TARGET...]
#   browser_driver         puppeteer-core for the browser tests and benchmark, as
#                          tests/web/package-lock.json holds it, when it is not there yet

build() {
    local purpose=$1 preset=$2
    shift 2
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    tools/setup "$purpose"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" "${targets[@]}" --parallel "$(nproc)"
}

browser_driver() {
    if [ ! tests/web/node_modules/.package-lock.json -nt tests/web/package-lock.json ]; then
        npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
    fi
}
