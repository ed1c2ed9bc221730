# The commands the tests, the end-to-end checks and the benchmarks call, each with the Debian
# package that brings it: scripts/deps.sh installs the packages, and test.sh checks at its start
# that every command is there. A test or benchmark that calls a new command adds it here.
#   source scripts/tools.sh; tool_packages; missing_tools
test_tools=(
  ffprobe:ffmpeg             # tests/e2e/export_cli.sh reads every exported format
  sox:sox soxi:sox           # the export check, the timing harness
  pulseaudio:pulseaudio      # the private sound server of the benchmarks
  pactl:pulseaudio-utils parec:pulseaudio-utils
  pipewire:pipewire-bin wireplumber:wireplumber pipewire-pulse:pipewire-pulse # SERVER=pipewire
  dbus-daemon:dbus-daemon    # the private PipeWire's session bus
  Xvfb:xvfb                  # the window's end-to-end checks and benchmarks
  xdotool:xdotool
  import:imagemagick convert:imagemagick # screenshots
  python3:python3            # the checks that analyse recorded sound
  clang:clang                # the fuzz targets
  iconv:libc-bin chrt:util-linux timeout:coreutils mkfifo:coreutils
  cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev objdump:binutils ldd:libc-bin # the package
  appstreamcli:appstream man:man-db # the metainfo and the manual page
  sway:sway swaymsg:sway setpriv:util-linux # the window under a headless Wayland compositor
)

# Every package of the list, once each.
tool_packages() {
  local entry
  for entry in "${test_tools[@]}"; do echo "${entry#*:}"; done | sort -u
}

# Prints "command (package)" for each command that cannot be found; fails if any.
missing_tools() {
  local entry status=0
  for entry in "${test_tools[@]}"; do
    command -v "${entry%%:*}" >/dev/null 2>&1 && continue
    echo "${entry%%:*} (package ${entry#*:})"
    status=1
  done
  return $status
}
