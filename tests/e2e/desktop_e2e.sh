#!/usr/bin/env bash
# The desktop end-to-end suite: newsdesk in a real X server (Xvfb), driven by
# the real mouse and keyboard (xdotool) as a person uses it. Each step is
# checked through newsdesk's control folder (--control: the automation's
# reports on the running views, places on the screen) or by the files it
# writes, and leaves a screenshot in the artefact folder.
#
#   desktop_e2e.sh NEWSDESK SOURCE_DIR ARTEFACT_DIR
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool: run
# scripts/install-deps). No window manager is needed: windows are focused
# with xdotool, and every wait polls with a timeout.
set -u

newsdesk=$(realpath "${1:?usage: desktop_e2e.sh NEWSDESK SOURCE_DIR ARTEFACT_DIR}")
source_dir=$(realpath "${2:?missing SOURCE_DIR}")
artefacts=$(realpath -m "${3:?missing ARTEFACT_DIR}")

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
        exit 77
    fi
done

mkdir -p "$artefacts"
rm -f "$artefacts"/*.png "$artefacts"/*.log
work=$(mktemp -d "${TMPDIR:-/tmp}/newsdesk-e2e-XXXXXX")
log="$artefacts/e2e.log"
xvfb_pid=""
desk_pid=""
started=$SECONDS

cleanup() {
    [ -n "$desk_pid" ] && kill "$desk_pid" 2>/dev/null && wait "$desk_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

say() { echo "$*" | tee -a "$log"; }

# xdotool, which waits for nothing longer than 10 s (--sync waits for an
# event that, without a window manager, might not come).
xdotool_program=$(command -v xdotool)
xdotool() { timeout 10 "$xdotool_program" "$@"; }

# Polls COMMAND... every 0.1 s until it succeeds; false after SECONDS.
wait_for() {
    local seconds=$1
    shift
    local until=$((SECONDS + seconds))
    while ! "$@"; do
        [ "$SECONDS" -ge "$until" ] && return 1
        sleep 0.1
    done
}

# --- The X server: its own display, chosen free by Xvfb itself.
: >"$work/display"
# Should this script be killed outright (a test timeout), the server and
# newsdesk still end by themselves: neither outlives a whole run by much.
lifetime=280
timeout "$lifetime" Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
    3>"$work/display" >"$artefacts/xvfb.log" 2>&1 &
xvfb_pid=$!
if ! wait_for 20 grep -q '[0-9]' "$work/display"; then
    say "FAILED: Xvfb did not start (see xvfb.log)"
    exit 1
fi
export DISPLAY=":$(tr -dc 0-9 <"$work/display")"
say "X server on $DISPLAY"

# --- newsdesk and its control folder.
ctl="$work/ctl"
home="$work/home"
answer=""

# Writes one line into the control FIFO and waits for its answer (in
# $answer). Answers are counted in the file, so asking from a subshell is fine.
ask() {
    local asked
    if [ -z "$desk_pid" ] || ! kill -0 "$desk_pid" 2>/dev/null || [ ! -p "$ctl/commands" ]; then
        answer="(newsdesk is not running: see newsdesk.log)"
        return 1
    fi
    asked=$(($(grep -c '^done ' "$ctl/answers" 2>/dev/null) + 1))
    # Opening a FIFO for writing waits for its reader: never for ever.
    timeout 5 sh -c 'printf "%s\n" "$1" >"$2"' sh "$1" "$ctl/commands" || {
        answer="(the control FIFO took no line)"
        return 1
    }
    # (A newsdesk that died answers nothing: no need to wait for it.)
    wait_for 15 answered_or_gone "$asked"
    if ! grep -qx "done $asked" "$ctl/answers"; then
        kill -0 "$desk_pid" 2>/dev/null && answer="(no answer)" ||
            answer="(newsdesk ended: see newsdesk.log)"
        return 1
    fi
    answer=$(awk -v n=$((asked - 1)) '/^done /{k++; next} k==n' "$ctl/answers")
    printf '> %s\n%s\n' "$1" "$answer" >>"$log"
}

answered_or_gone() {
    grep -qx "done $1" "$ctl/answers" || ! kill -0 "$desk_pid" 2>/dev/null
}

asks() { # ask, true when the answer matches the regular expression
    ask "$1" && grep -qE -- "$2" <<<"$answer"
}

failed() {
    say "FAILED: $*"
    say "  last answer: $answer"
    ask "screenshot $artefacts/failed.png" >/dev/null
    exit 1
}

# Asks until the answer matches (the person's action may take a moment).
expect() { # DESCRIPTION COMMAND REGEX [SECONDS]
    wait_for "${4:-10}" asks "$2" "$3" || failed "$1: '$2' never answered /$3/"
    say "ok: $1"
}

shot() { ask "screenshot $artefacts/$1.png" || failed "screenshot $1"; }

# The centre of a place answered by `where ...` (X Y), or false for none.
# With edge=left, a point near its left end: a radio button or check box
# takes clicks on its mark and its text only.
centre() {
    ask "where $*" || return 1
    local place=${answer#*: }
    [[ $place =~ ^(-?[0-9]+),(-?[0-9]+)\ ([0-9]+)x([0-9]+)$ ]] || return 1
    local x=$((BASH_REMATCH[1] + BASH_REMATCH[3] / 2))
    [ "${edge:-}" = left ] && x=$((BASH_REMATCH[1] + 8))
    echo "$x $((BASH_REMATCH[2] + BASH_REMATCH[4] / 2))"
}

click() { # WHERE... (a place); BUTTON and COUNT from $button, $count
    local at
    at=$(wait_for_place "$@") || failed "nothing to click at 'where $*'"
    # shellcheck disable=SC2086
    xdotool mousemove $at click --repeat "${count:-1}" --delay 120 "${button:-1}"
}

wait_for_place() {
    local until=$((SECONDS + 10)) at
    until at=$(centre "$@"); do
        [ "$SECONDS" -ge "$until" ] && return 1
        sleep 0.1
    done
    echo "$at"
}

# Focuses the shown top-level window of this title and types into it.
focus_window() {
    local id until=$((SECONDS + 10))
    until id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ]; do
        [ "$SECONDS" -ge "$until" ] && failed "no window '$1'"
        sleep 0.1
    done
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
}

# Types TEXT into the edit of control id ID as a person does, and checks
# that the edit holds it. xdotool types a character outside the keyboard map
# by remapping a spare key, which the application may read a moment late, so
# a text that came out wrong is erased and typed again.
type_into() { # ID TEXT
    local attempt
    for attempt in 1 2 3; do
        click "$1"
        xdotool key End
        xdotool key --repeat 24 --delay 5 BackSpace
        xdotool type --delay 60 "$2"
        if wait_for 3 asks "print window $1" "text \"$2\""; then
            return 0
        fi
        say "  (typed '$2' again: the edit held ${answer#*text })"
    done
    failed "cannot type '$2' into $1"
}

# A text of the interface, as the person sees it.
text_of() { sed -n "s/^$1=//p" "$source_dir/data/lang/zh_TW.ini" | tr -d '\r'; }

# The index of the popup menu's entry with this text.
popup_entry() {
    ask "print popup" || return 1
    sed -n "s/^  \[\([0-9]*\)\] $1\( .*\)\?\$/\1/p" <<<"$answer" | head -1
}

choose_from_popup() { # TEXT
    local entry
    wait_for 10 asks "print toplevels" '^  menu ' || failed "no menu popped up"
    entry=$(popup_entry "$1")
    [ -n "$entry" ] || failed "the menu has no entry '$1'"
    click item "$entry"
}

# The title of row R of the current sheet, as the row report shows it.
row_title() {
    ask "print rows" && sed -n "s/^  \[$1\] .* | //p" <<<"$answer"
}

start_desk() { # extra options...
    mkdir -p "$home" "$work/run"
    chmod 700 "$work/run"
    rm -rf "$ctl"
    # The live day's replay starts after its last headline: the sheets hold
    # still while the person works on them.
    # The X server's platform, whatever the caller's environment says.
    (cd "$home" && HOME="$home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb \
        exec "$newsdesk" --from 23:00 --config "$work/config" --control "$ctl" \
        --quit-after "$lifetime" "$@" \
        >>"$artefacts/newsdesk.log" 2>&1) &
    desk_pid=$!
    wait_for 20 test -p "$ctl/commands" || failed "newsdesk made no control FIFO (see newsdesk.log)"
    expect "the views are up" "where view 1" '[0-9]+x[0-9]+$' 60
}

end_desk() {
    # The desktop session ends: newsdesk saves every view, as closing does.
    kill -TERM "$desk_pid"
    local status=0
    wait "$desk_pid" || status=$?
    desk_pid=""
    [ "$status" -eq 0 ] || failed "newsdesk ended with status $status"
}

# A click on the first view's title strip makes it the active view.
activate_first_view() {
    ask "where view 1"
    [[ ${answer#*: } =~ ^([0-9]+),([0-9]+) ]] || failed "where is the first view"
    xdotool mousemove $((BASH_REMATCH[1] + 60)) $((BASH_REMATCH[2] + 8)) click 1
}

start_desk
shot 01-started

# --- Pick tabs: the first view becomes the active one on a click.
activate_first_view
expect "a click makes the first view active" "print tabs" '^tabs: 6, selected 0'
for tab in 1 2 0; do
    click tab $tab
    expect "tab $tab picked" "print tabs" "^tabs: 6, selected $tab\$"
    [ $tab = 1 ] && shot 02-tab-categories
done

# --- Scroll the sheet with the wheel.
at=$(wait_for_place row 5) || failed "no row 5"
# shellcheck disable=SC2086
xdotool mousemove $at click --repeat 3 --delay 60 5
expect "the wheel scrolls the sheet" "print rows" '^sheet 0: [0-9]+ rows, showing [1-9][0-9]*-'
first=$(sed -n 's/^sheet 0: [0-9]* rows, showing \([0-9]*\)-.*/\1/p' <<<"$answer")
shot 03-scrolled

# --- Double-click a row: its story opens.
row=$((first + 2))
count=2 click row $row
expect "a double click opens the story of row $row" "print story" "^story: shown, mode 0, position $row,"
story_title=$(sed -n 's/^  title "\(.*\)"$/\1/p' <<<"$answer")
shot 04-story
focus_window "$story_title"
xdotool key Escape
expect "Escape closes the story" "print story" '^story: (none|hidden)'

# --- Right-click a row and choose from its menu: save the story to a file.
title=$(row_title $((first + 1)))
[ -n "$title" ] || failed "no title on row $((first + 1))"
button=3 click row $((first + 1))
expect "a right click selects the row" "print rows" "selected $((first + 1))\$"
shot 05-row-menu
choose_from_popup "$(text_of IDS_NEWSCTRLVIEW_STRING_SAVE_AS_NEWS)"
expect "the save dialog opens" "print toplevels" '^  dialog "[^"]*" at .*, modal$'
save_title=$(sed -n 's/^  dialog "\(.*\)" at .*, modal$/\1/p' <<<"$answer")
shot 06-save-dialog
focus_window "$save_title"
xdotool key ctrl+a
xdotool type --delay 10 "$home/saved-story.txt"
xdotool key Return
wait_for 10 test -s "$home/saved-story.txt" || failed "no file saved"
expect "the saved file holds the row's story" "print file $home/saved-story.txt" "標題：$title"

# --- Right-click a row and print it: the print dialog writes a PDF.
button=3 click row $((first + 1))
choose_from_popup "$(text_of IDS_NEWSCTRLVIEW_STRING_PRINT_NEWS)"
expect "the print dialog opens" "print toplevels" '^  dialog "[^"]*" at .*, modal$'
print_title=$(sed -n 's/^  dialog "\(.*\)" at .*, modal$/\1/p' <<<"$answer")
shot 07-print-dialog
focus_window "$print_title"
xdotool key Return # "Print to File (PDF)" into the home folder, as offered
pdf_written() {
    pdf=$(ls "$home"/*.pdf 2>/dev/null | head -1)
    [ -n "$pdf" ] && tail -c 32 "$pdf" | grep -q '%%EOF'
}
wait_for 20 pdf_written || failed "no PDF printed"
head -c 5 "$pdf" | grep -q '%PDF-' || failed "$pdf is not a PDF"
grep -aq '/Type */Page\b' "$pdf" || failed "$pdf has no page"
say "ok: printed $(basename "$pdf"), $(stat -c %s "$pdf") bytes"

# --- Type a search and press Enter.
ask "print tabs"
search_tab=$(sed -n 's/^  \[\([0-9]*\)\] .* (mode 3).*/\1/p' <<<"$answer")
[ -n "$search_tab" ] || failed "no search tab"
click tab "$search_tab"
expect "the search tab" "print mode" '^mode: current 3,'
type_into 3008 "外資"
xdotool key Return
expect "Enter searches the keyword" "print search" '^  search: .*keywords "外資"'
expect "the search sheet shows its matches" "print rows" '^  \[0\] .*外資'
shot 08-search

# --- The host's search menu: the advanced search dialog.
open_from_menu() { # ENTRY (of the search menu)
    click menu 0
    wait_for 10 asks "print popup" '^popup: ' || failed "the search menu did not open"
    click item "$1"
}
open_from_menu 0
expect "the advanced search dialog opens" "print dialog" '^dialog 2007: '
type_into 3008 "營收"
click 3007
expect "the keyword joins the history" "print dialog" '\[1\] "營收"'
click 2007 1
click 2012
expect "the add button takes it into the condition" "print dialog" '^    \[0\] "營收"'
edge=left click 2016
expect "the radio button takes the click" "print window 2016" 'checked 1$'
shot 09-advanced-search
click 1
expect "the dialog searches" "print search" '^  dialog: scope 2, method 1, keywords "營收"'
# Titles and stories are searched: a match need not show the keyword.
expect "the search sheet shows its matches" "print rows" '^sheet 3: [1-9][0-9]* rows'

# --- The warning condition list and its editor.
open_from_menu 2
expect "the warning list opens" "print dialog" '^dialog 2011: '
click 3
expect "the condition editor opens" "print dialog" '^dialog 2012: '
type_into 2043 "外資"
shot 10-warning-editor
click 1
expect "the condition is listed" "print dialog" '^    \*?\[0\] "1" \| .*"外資"'
click 2047 0
click 1
expect "the warning search starts" "print search" '^warning list: 1, started 1'
expect "the warning sheet shows its matches" "print rows 6" '^  \[0\] .*外資'
shot 11-warning

end_desk
say "ok: newsdesk ended on SIGTERM with status 0"

# --- Sites without the keyword search offer the relation search instead
# (the shipped second system folder); the same settings store.
start_desk --sys "$source_dir/data/sys-relation"
activate_first_view
expect "the first view is active again" "print tabs" '\(mode 4\)'
expect "the views kept the keyword history" "print search" '^history: .*"外資"'
open_from_menu 1
expect "the relation search dialog opens" "print dialog" '^dialog 2010: '
shot 12-relation-search
type_into 1364 "1105"
click 2040
expect "the symbol is confirmed" "print dialog" '^  2041: static, .*text "[^"]+"'
type_into 3008 "營收"
click 3007
expect "the keyword joins the history" "print dialog" '"營收"'
ask "print dialog"
keyword=$(awk '/^  2007: list/{on=1; next} on && /^  [0-9]/{exit} on' <<<"$answer" |
    sed -n 's/^    \*\?\[\([0-9]*\)\] "營收"$/\1/p')
click 2007 "${keyword:-0}"
click 2012
click 2039
expect "the condition is added for the symbol" "print dialog" '^    \*?\[0\] ".*" \| ".*1105"'
shot 13-relation-condition
click 1
expect "the relation search is stored" "print search" '^  relation: '
end_desk

say "PASSED in $((SECONDS - started)) s; screenshots in $artefacts"
