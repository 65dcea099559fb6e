# Installs, with apt-get, whichever of the given Debian packages are missing.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n libjpeg62-turbo-dev libcups2-dev
                fonts-liberation2 fonts-dejavu-core shared-mime-info desktop-file-utils)
# The benchmarks hold the drawing against cairo. Every tool a test starts: poppler-utils (pdftotext,
# pdftocairo), cups, xvfb, x11-apps (xwd, xlogo), x11-utils (xwininfo, xprop), openbox, libglib2.0-bin (gio).
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev libgtest-dev libbenchmark-dev libcairo2-dev pkg-config
               poppler-utils cups printer-driver-cups-pdf xvfb xauth x11-apps x11-utils openbox libglib2.0-bin)
