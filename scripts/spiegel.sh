# Sourced by the scripts that make a Debian chroot: spiegel SUFFIX prints the
# mirror apt uses here for that archive (debian or debian-security), from a
# deb822 .sources file or a one-line sources.list, else Debian's own.
spiegel() {
    local uri
    uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | sed -n 's/^URIs: *//p' | tr ' ' '\n' | grep -m1 "/$1/\?$" || true)
    [ -n "$uri" ] || uri=$(grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        | awk '{print $2}' | grep -m1 "/$1/\?$" || true)
    echo "${uri:-http://deb.debian.org/$1}"
}
