# Sourced by a script, run as root, that works in a fresh Debian root: debootstrapped once
# per release from the mirror this machine's apt uses, kept as a tarball under $roots, and
# unpacked anew at $root (which the script sets) each time it is entered.
#
#   . tools/lib/debian-root.sh
#   root=$roots/NAME; enter_root RELEASE; clone=DIR in_root USER COMMAND; leave_root
#
# Several scripts may use the tarballs at once (CI makes them in the background), each with
# a root of its own name; the first to need a release makes its tarball, under a lock.
roots=$(pwd)/build/fresh
mkdir -p "$roots"
mirror=$(apt-get indextargets 'Identifier: Packages' 'Label: Debian' --format '$(REPO_URI)' | head -n1)
mirror=${mirror:-http://deb.debian.org/debian/}

tarball() {
    local release=$1 file=$roots/$1.tar
    (
        flock 9
        if [ ! -f "$file" ]; then
            echo "$(date +%T) debootstrapping Debian $release from $mirror" >&2
            rm -rf "$roots/bootstrap-$release"
            # A debootstrap older than the release knows it as the next one: as sid.
            local script=/usr/share/debootstrap/scripts/$release
            [ -e "$script" ] || script=/usr/share/debootstrap/scripts/sid
            debootstrap --include=git,ca-certificates "$release" "$roots/bootstrap-$release" "$mirror" "$script" \
                >"$roots/debootstrap-$release.log" 2>&1 ||
                { tail -n 20 "$roots/debootstrap-$release.log" >&2; exit 1; }
            tar -C "$roots/bootstrap-$release" -cf "$file.part" .
            mv "$file.part" "$file"
            rm -rf "$roots/bootstrap-$release"
        fi
    ) 9>"$roots/$release.lock" || return 1
    echo "$file"
}

# Signals every process whose root directory is the root.
signal_root_processes() {
    local signal=$1 process
    for process in /proc/[0-9]*; do
        if [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ]; then
            kill "-$signal" "${process#/proc/}" 2>/dev/null || true
        fi
    done
}

# The mount points inside the root, deepest first.
mounts_in_root() {
    awk -v prefix="$root/" 'index($5, prefix) == 1 { print $5 }' /proc/self/mountinfo | sort -r
}

# Ends every process that lives in the root, unmounts what was mounted into it and removes it.
leave_root() {
    [ -d "$root" ] || return 0
    signal_root_processes KILL
    sleep 0.2
    local target
    for target in $(mounts_in_root); do
        umount -l "$target" || true
    done
    # Only with nothing mounted inside can removing the tree not reach the machine's own files.
    if [ -n "$(mounts_in_root)" ]; then
        echo "$root still has mounts; left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
}

enter_root() {
    local release=$1 tar
    leave_root
    tar=$(tarball "$release")
    mkdir -p "$root"
    tar -C "$root" -xf "$tar"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
    mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # The certificate authorities this machine trusts beyond Debian's own, as a network that
    # inspects its traffic asks of every machine on it: the root reaches the same servers.
    if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
        cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
        chroot "$root" update-ca-certificates >/dev/null 2>&1
    fi
    # Debian testing's Release file, in a mirror's snapshot, outlives its Valid-Until date.
    [ "$release" = bookworm ] || [ "$release" = trixie ] ||
        echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99snapshot"
}

# Runs a shell command in the root, as USER, in $clone, with a fresh login's environment.
in_root() {
    local user=$1 command=$2 home=/root uid gid
    [ "$user" = root ] || home=/home/$user
    uid=$(chroot "$root" id -u "$user")
    gid=$(chroot "$root" id -g "$user")
    chroot --userspec="$uid:$gid" "$root" env -i HOME="$home" USER="$user" LOGNAME="$user" \
        PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin LANG=C.UTF-8 TERM=dumb \
        ${DISPLAY_IN_ROOT:+DISPLAY=$DISPLAY_IN_ROOT} \
        bash -c "cd $clone && $command"
}

# Builds the binary packages for ARCH in the root from the source package (its .dsc and
# tarball) in SOURCE, a folder of this machine, as Debian's build daemons do: only build-essential and the
# Build-Depends installed, the build by a user of its own, the packages named after the
# root's Debian (tools/lib/debian-build-entry). Another architecture is cross-built, without
# its tests. SETTINGS, shell commands run before the build, vary how it is made (umask, time
# zone, locale); $build_folder (/build) and $build_user (builder) vary where and by whom, and
# build_tests=no leaves the tests out. The results are left in that folder.
#
#   build_in_root SOURCE ARCH [SETTINGS]
build_in_root() {
    local source=$1 arch=$2 settings=${3:-:} native options="parallel=$(nproc)" profiles=()
    local clone=${build_folder:-/build} builder=${build_user:-builder}
    if [ ! -d "$root$clone" ]; then
        mkdir -p "$root$clone"
        cp "$source"/dragonfold_*.dsc "$source"/dragonfold_*.tar.xz "$root$clone/"
    fi
    native=$(chroot "$root" dpkg --print-architecture)
    if [ "$arch" != "$native" ]; then
        options+=" nocheck"
        profiles=(-a "$arch" -Pcross,nocheck)
        chroot "$root" dpkg --add-architecture "$arch"
    elif [ "${build_tests:-yes}" = no ]; then
        options+=" nocheck"
        profiles=(-Pnocheck)
    fi
    chroot "$root" id "$builder" >/dev/null 2>&1 || chroot "$root" useradd --create-home "$builder"
    chroot "$root" chown -R "$builder:" "$clone"
    in_root root "apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends build-essential dpkg-dev $([ "$arch" = "$native" ] || echo "crossbuild-essential-$arch")"
    local unpacked
    unpacked=$(cd "$root$clone" && ls -d dragonfold-*/ 2>/dev/null | head -n 1)
    if [ -z "$unpacked" ]; then
        in_root "$builder" "$settings && dpkg-source -x dragonfold_*.dsc >/dev/null"
        unpacked=$(cd "$root$clone" && ls -d dragonfold-*/ | head -n 1)
        in_root "$builder" "cd $unpacked && tools/lib/debian-build-entry --add"
    fi
    in_root root "cd $unpacked && DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends ${profiles[*]} ./"
    in_root "$builder" "cd $unpacked && $settings && DEB_BUILD_OPTIONS='$options' dpkg-buildpackage -us -uc -B ${profiles[*]}"
}
