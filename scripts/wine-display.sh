# Sourced by the scripts that run Wine: a private X display, and what every Pelorin prefix gets.
#   start_private_display   starts Xvfb on a free display number and exports DISPLAY; the
#                           caller stops it with stop_private_display (pid in private_display_pid)
#   start_extra_display     starts one more Xvfb and sets extra_display (":N"); stop_private_display
#                           stops these too
start_private_display() {
  new_display
  private_display_pid=$new_display_pid
  export DISPLAY=$new_display_value
}

start_extra_display() {
  new_display
  extra_display_pids+=("$new_display_pid")
  extra_display=$new_display_value
}

# Starts an Xvfb on a free display number; sets new_display_pid and new_display_value (":N").
new_display() {
  local fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # Xvfb picks a free number and tells it through -displayfd.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  new_display_pid=$!
  read -r display <"$fifo"
  rm -f "$fifo"
  new_display_value=:$display
}

stop_private_display() {
  local pid
  for pid in ${private_display_pid:-} "${extra_display_pids[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  private_display_pid=
  extra_display_pids=()
}
extra_display_pids=()

# The font replacements every Pelorin prefix gets, as a REGEDIT4 section: the Liberation fonts
# stand in for the fonts the program and its documents name.
pelorin_font_replacements() {
  cat <<'REG'
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
REG
}

# Imports a REGEDIT4 file into the prefix in WINEPREFIX and waits until it is stored.
import_registry_file() {
  wine regedit /S "$(winepath -w "$1")" >/dev/null 2>&1
  wineserver -w
}

# Wine draws the symbols of caption buttons, scroll arrows and menu check marks with its font
# Marlett (Debian's fonts-wine). This Wine build does not look into its own font folder, so the
# prefix's font folder (of WINEPREFIX) links to the font; Wine's other fonts stay out, so that the
# fonts text is measured with stay what they were.
link_marlett() {
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    ln -sfn "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  fi
}
