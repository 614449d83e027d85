#!/usr/bin/env bash
# The setup window under a real X server, driven by real mouse clicks and
# key presses: "> Add <" in the language box opens the translation editor,
# English becomes the source of a new language "Deutsch" (ISO "de") saved
# into the language folder, a few captions are translated and saved; the
# window switches to the new language, its language box lists it, and the
# next start lists it again. The editor's status markers are read back from
# the screen and must have the exact colours of the status table.
#
#   editor_end_to_end.sh PATH/TO/corvane-setup [SCREENSHOT_DIR]
#
# Exits 77 (skipped) when Xvfb or xdotool is missing. With SCREENSHOT_DIR the
# screen is saved there at each stage (create.png, edit.png, ...).
set -euo pipefail

program=$1
shots=${2:-}
for tool in Xvfb xdotool import convert iconv; do
    if ! command -v "$tool" >/dev/null; then
        echo "editor_end_to_end: $tool is missing, skipped"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || { kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; }
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "editor_end_to_end: FAILED: $*" >&2
    [ -z "$shots" ] || shot failure
    # What the program said, if it said anything.
    [ ! -s "$work/app.log" ] || tail -n 40 "$work/app.log" >&2
    exit 1
}

# A copy of the program: its language folder is "lang" beside it.
cp "$program" "$work/corvane-setup"

# A private display at 96 dots per inch, so the design sizes hold.
Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")
export QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 QT_SCALE_FACTOR=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
export CORVANE_MACHINE_PROFILE=$work/machine
unset CORVANE_DOWNLOAD_BASE

shot() { [ -z "$shots" ] || import -window root "$shots/$1.png"; }

# Waits until a command succeeds (up to 10 s).
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    fail "waited in vain for $what"
}

# The visible top-level window titled exactly $1; its id on stdout.
window_named() {
    local id
    for id in $(xdotool search --onlyvisible --class corvane-setup 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id")" = "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
title_is() { window_named "$1"; }

# The visible titled window other than the setup window (the editor or one
# of its dialogs); its id on stdout.
other_window() {
    local id name
    for id in $(xdotool search --onlyvisible --class corvane-setup 2>/dev/null); do
        name=$(xdotool getwindowname "$id")
        if [ "$id" != "$main" ] && [ "$name" != corvane-setup ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
no_other_window() { ! other_window; }
# A dialog over the editor.
dialog_window() {
    local id
    for id in $(xdotool search --onlyvisible --class corvane-setup 2>/dev/null); do
        if [ "$id" != "$main" ] && [ "$id" != "$editor" ] &&
            [ "$(xdotool getwindowname "$id")" != corvane-setup ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
no_dialog_window() { ! dialog_window; }

# Position and size of a window: sets X Y W H.
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    W=$WIDTH H=$HEIGHT
}

# A click at a point of a window given in its own coordinates.
click_in() {
    geometry "$1"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
    sleep 0.3
}

# The list of an open combo box: a small window without a title of its own.
popup() {
    local id
    for id in $(xdotool search --onlyvisible --class corvane-setup 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id")" = corvane-setup ]; then
            geometry "$id"
            if [ "$H" -gt 10 ]; then
                echo "$id"
                return 0
            fi
        fi
    done
    return 1
}

# Clicks entry $1 of the open list of $2 entries; fails when the list holds
# another number of entries (rows are all of one height).
pick() {
    local index=$1 count=$2 list
    wait_for "the list to open" popup
    list=$(popup)
    geometry "$list"
    local row=$(((H - 2) / count))
    [ $((row * count + 2)) -eq "$H" ] || fail "the list holds not $count entries (height $H)"
    click_in "$list" $((W / 2)) $((1 + row * index + row / 2))
}

# The exact colour (as #RRGGBB) appears in a rectangle of the screen.
colour_shown() {
    local colour=$1 x=$2 y=$3 w=$4 h=$5
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/crop.png"
    convert "$work/crop.png" -unique-colors txt:- | grep -qi "$colour"
}

start_program() {
    (cd "$work" && exec ./corvane-setup) >"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for "the setup window" window_named "Lokální instalace programu Corvane"
    main=$(window_named "Lokální instalace programu Corvane")
}

stop_program() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}

# The window's language box (LangCombo1) in its design place.
combo_x=$((409 + 72)) combo_y=$((157 + 10))

# ---- first start: create "Deutsch" from English
start_program
# Its list: čeština, english, > Add <, > Edit <.
click_in "$main" $combo_x $combo_y
pick 2 4
wait_for "the editor" other_window
editor=$(other_window)
shot choose-source
# The source language box, then the new name, its ISO code and the add button.
click_in "$editor" $((8 + 72)) $((30 + 10))
pick 1 2
xdotool type --delay 40 Deutsch
click_in "$editor" $((102 + 30)) $((70 + 10))
xdotool type --delay 40 de
click_in "$editor" $((165 + 12)) $((30 + 10))
wait_for "the file dialog" dialog_window
# Its file name field has the focus.
sleep 0.5
xdotool type --delay 40 deutsch
xdotool key Return
wait_for "editing" no_dialog_window
sleep 0.5
geometry "$editor"
# The label column's right end (markers) on the first rows of the grid.
marker_x=$((X + 200 + 115 - 12)) marker_y=$((Y + 45))
colour_shown '#D4FF28' $marker_x $marker_y 12 60 || fail "no source-translation marker on screen"
# The window caption is the first page; its text is selected for typing.
xdotool type --delay 20 "Lokale Installation von Corvane"
colour_shown '#22E900' $marker_x $marker_y 12 60 || fail "no translated marker on screen"
xdotool key Down
xdotool type --delay 20 "Fehlende Komponenten installieren"
# Down to the next pages: the window lexicon shows its rows with markers.
for _ in 1 2 3 4 5 6 7; do xdotool key Down; sleep 0.1; done
xdotool type --delay 20 "Fehlende Komponenten"
xdotool key Down ctrl+a BackSpace
sleep 0.3
colour_shown '#2CA05A' $marker_x $marker_y 12 60 || fail "no emptied-inherited marker on screen"
shot create
click_in "$editor" $((8 + 40)) $((67 + 13))
wait_for "the window in German" title_is "Lokale Installation von Corvane"
[ -f "$work/lang/deutsch.lng" ] || fail "no language file in the language folder"
iconv -f UTF-16 -t UTF-8 "$work/lang/deutsch.lng" >"$work/deutsch.txt"
grep -q '%LANGUAGE_NAME="Deutsch"	%CODE=de;' "$work/deutsch.txt" || fail "the file names another language"
grep -q '"Fehlende Komponenten installieren"' "$work/deutsch.txt" || fail "a translation is missing"
shot switched

# The box lists it: čeština, english, Deutsch, > Add <, > Edit <.
click_in "$main" $combo_x $combo_y
pick 1 5
wait_for "the window in English" title_is "Local installation of program Corvane"
click_in "$main" $combo_x $combo_y
pick 2 5
wait_for "the window in German again" title_is "Lokale Installation von Corvane"

# Edit mode: the editable languages are the embedded English and Deutsch.
click_in "$main" $combo_x $combo_y
pick 4 5
wait_for "the editor" other_window
editor=$(other_window)
click_in "$editor" $((8 + 72)) $((30 + 10))
pick 1 2
sleep 0.5
# The window lexicon's page, after the window's eight objects: the own
# translation and the inherited ones.
for _ in 1 2 3 4 5 6 7 8; do xdotool key Down; sleep 0.1; done
sleep 0.3
colour_shown '#22E900' $marker_x $marker_y 12 60 || fail "no translated marker in edit mode"
colour_shown '#D4FF28' $marker_x $marker_y 12 60 || fail "no source-translation marker in edit mode"
shot edit
# Nothing changed: the first Escape closes the in-place editor, the next
# one the window, without a question.
for _ in 1 2 3; do
    other_window >/dev/null || break
    xdotool key Escape
    sleep 0.5
done
wait_for "the editor to close" no_other_window
title_is "Lokale Installation von Corvane" >/dev/null || fail "editing without saving changed the language"
stop_program

# ---- next start: the new language is listed again
start_program
click_in "$main" $combo_x $combo_y
pick 2 5
wait_for "the window in German after a new start" title_is "Lokale Installation von Corvane"
stop_program
echo "editor_end_to_end: passed"
