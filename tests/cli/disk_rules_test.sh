#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The rules of exFAT and NTFS disks, on loop-mounted images, and of a plain folder beside them:
# every row that apply cannot rename was marked by preview beforehand, every other row is renamed,
# on NTFS (windows_names) preview and apply give the same reasons, and undo gives the folder back
# exactly. The names of preview --portable are taken everywhere, and its plan goes through and back
# without a failure. Needs root, loop devices and FUSE; exits 77 without them.
# Usage: disk_rules_test.sh PATH/TO/vornick-cli
set -euo pipefail
cli=$(realpath "$1")
export LC_ALL=C.UTF-8

skip() {
  echo "SKIP: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "attaching and mounting disk images needs root"
[ -c /dev/fuse ] || skip "there is no /dev/fuse"
for tool in losetup mkfs.exfat mount.exfat-fuse mkfs.ntfs ntfs-3g mountpoint; do
  command -v "$tool" > /dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
mounts=() loops=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    if mountpoint -q "${mounts[i]}"; then
      umount "${mounts[i]}" 2> /dev/null || umount -l "${mounts[i]}" || true
    fi
  done
  for ((i = ${#loops[@]} - 1; i >= 0; i--)); do losetup -d "${loops[i]}" || true; done
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_STATE_HOME"
# Only .mp3 files are taken.
printf '[1.0]\nFileTypes=MP3\nCheckedIndexes=0\n' > "$XDG_CONFIG_HOME/Plomberg.ini"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# attach NAME VARIABLE MKFS...: a 64 MiB image made by MKFS, on a loop device whose path VARIABLE
# is set to.
attach() {
  local image=$work/$1.img loop
  local -n device=$2
  shift 2
  truncate -s 64M "$image"
  "$@" "$image" > "$work/mkfs.log" 2>&1 || skip "$1 failed: $(tail -n 1 "$work/mkfs.log")"
  loop=$(losetup -f --show "$image" 2> "$work/losetup.log") ||
    skip "no loop device: $(cat "$work/losetup.log")"
  loops+=("$loop")
  device=$loop
}

exfat=$work/mnt/exfat ntfs=$work/mnt/ntfs plain=$work/plain
mkdir -p "$exfat" "$ntfs" "$plain"
attach exfat exfat_loop mkfs.exfat
attach ntfs ntfs_loop mkfs.ntfs -F -Q
mounts=("$exfat" "$ntfs")
mount.exfat-fuse "$exfat_loop" "$exfat" > "$work/mount.log" 2>&1 ||
  skip "exFAT cannot be mounted: $(cat "$work/mount.log")"

# mount_ntfs [OPTION...]: (re)mounts the NTFS image.
mount_ntfs() {
  if mountpoint -q "$ntfs"; then umount "$ntfs"; fi
  ntfs-3g "$@" "$ntfs_loop" "$ntfs" > "$work/mount.log" 2>&1 ||
    skip "NTFS cannot be mounted: $(cat "$work/mount.log")"
}
# Only without windows_names may names that Windows refuses be made.
mount_ntfs

# The names, one a line: scripts and letters of many languages, names that differ in case alone or
# that are cleaned into one, names that the cleaning turns into device names of Windows, names with
# characters Windows refuses.
mapfile -t names << 'EOF'
кино - группа крови.mp3
ария - беспечный ангел.mp3
ддт - что такое осень.mp3
земфира - искала.mp3
сплин - выхода нет.mp3
наутилус помпилиус - прогулки по воде.mp3
агата кристи - как на войне.mp3
би-2 - полковнику никто не пишет.mp3
мумий тролль - утекай.mp3
алиса - трасса е95.mp3
чайф - аргентина-ямайка 5-0.mp3
машина времени - поворот.mp3
звери - районы-кварталы.mp3
король и шут - лесник.mp3
пикник - египтянин.mp3
браво - этот город.mp3
ёлка - прованс.mp3
ЁЛКА - ПРОВАНС.mp3
україна - червона рута.mp3
ґрунт - їжак.mp3
ЖУК.mp3
жук.mp3
Жук.mp3
χάρις αλεξίου - η άλλη.mp3
μίκης θεοδωράκης - ζορμπάς.mp3
βασίλης παπακωνσταντίνου - αχ χελιδονάκι μου.mp3
άννα βίσση - δώδεκα.mp3
σωκράτης μάλαμας - τα κορίτσια.mp3
ΣΟΦΊΑ.mp3
σοφία.mp3
ωδή στον ήλιο.mp3
beyoncé - déjà vu.mp3
sigur rós - hoppípolla.mp3
björk - jóga.mp3
motörhead - ace of spades.mp3
mötley crüe - kickstart my heart.mp3
édith piaf - non, je ne regrette rien.mp3
françoise hardy - le temps de l'amour.mp3
łona - to nie jest hip-hop.mp3
dvořák - symfonie č. 9.mp3
şebnem ferah - sigara.mp3
željko joksimović - lane moje.mp3
blåbærsyltetøy.mp3
straße - weiß.mp3
STRASSE - WEISS.mp3
café tacvba - eres.mp3
joão gilberto - chega de saudade.mp3
niño - señor.mp3
þórr - ægir.mp3
ångström.mp3
Ångström.mp3
ÅNGSTRÖM.mp3
été - soleil.mp3
ÉTÉ - SOLEIL.mp3
čaj - ďábel.mp3
坂本龍一 - 戦場のメリークリスマス.mp3
宇多田ヒカル - first love.mp3
周杰倫 - 晴天.mp3
王菲 - 红豆.mp3
久石譲 - summer.mp3
椎名林檎 - 丸の内サディスティック.mp3
ｙｏａｓｏｂｉ - 夜に駆ける.mp3
邓丽君 - 月亮代表我的心.mp3
아이유 - 좋은 날.mp3
방탄소년단 - 봄날.mp3
빅뱅 - 거짓말.mp3
소녀시대 - gee.mp3
서태지와 아이들 - 난 알아요.mp3
עומר אדם - תל אביב.mp3
עפרה חזה - שיר הפרחים.mp3
אריק איינשטיין - אני ואתה.mp3
فيروز - نسم علينا الهوا.mp3
أم كلثوم - انت عمري.mp3
عمرو دياب - تملي معاك.mp3
लता मंगेशकर - लग जा गले.mp3
किशोर कुमार - मेरे सपनों की रानी.mp3
ए आर रहमान - जय हो.mp3
เบิร์ด ธงไชย - ค่าน้ำนม.mp3
คาราบาว - เมดอินไทยแลนด์.mp3
party 🎉 mix.mp3
🎸 rock - 🤘 loud.mp3
love ❤️ song.mp3
🌊 waves 🌊.mp3
family 👨‍👩‍👧 trip.mp3
flag 🇯🇵 tokyo.mp3
𝄞 clef - 𝅘𝅥𝅮 notes.mp3
abba - waterloo.mp3
ABBA - Waterloo.mp3
Abba - Waterloo.mp3
ABBA - WATERLOO.mp3
the doors - riders on the storm.mp3
The Doors - Riders On The Storm.mp3
THE DOORS - RIDERS ON THE STORM.mp3
queen_bohemian_rhapsody.mp3
queen - bohemian rhapsody.mp3
queen-bohemian rhapsody.mp3
Queen - Bohemian Rhapsody.mp3
pink_floyd_-_time.mp3
pink floyd - time.mp3
pink  floyd - time.mp3
nirvana___lithium.mp3
nirvana - lithium.mp3
radiohead - creep.mp3
radiohead -- creep.mp3
radiohead_-_creep.mp3
metallica - one.mp3
Metallica_-_One.mp3
blondie - call me.mp3
BLONDIE - CALL ME.mp3
[con].mp3
{con}.mp3
(con).mp3
[aux].remix.mp3
{aux}.live.mp3
[prn].mp3
[nul].mp3
[com1].mp3
[lpt9].mp3
con.mp3
aux.remix.mp3
prn.mp3
nul.old.mp3
lpt1.mp3
com2.mp3
[con] .mp3
prn_.mp3
aux_.live.mp3
[nul]_.mp3
con - live.mp3
console.mp3
auxiliary.mp3
mission: impossible.mp3
re:play - intro.mp3
opus 3: the start.mp3
sonata no. 14: adagio.mp3
04:33 silence.mp3
ac:dc - back in black.mp3
time: the revelator.mp3
act ii: finale.mp3
side a: track 3.mp3
who are you?.mp3
what's going on?.mp3
is this it?.mp3
say "hello".mp3
"heroes".mp3
star*man.mp3
***flawless.mp3
<intro>.mp3
<outro> - end.mp3
a|b.mp3
this | that.mp3
back\slash.mp3
left\right - mix.mp3
why?: a question.mp3
"quoted": with colon.mp3
don't stop me now.mp3
we will rock you.mp3
we are the champions.mp3
another one bites the dust.mp3
smells like teen spirit.mp3
come as you are.mp3
hotel california.mp3
stairway to heaven.mp3
sweet child o' mine.mp3
billie jean.mp3
like a rolling stone.mp3
imagine.mp3
hey jude.mp3
let it be.mp3
yesterday.mp3
purple rain.mp3
wonderwall.mp3
under pressure.mp3
london calling.mp3
born to run.mp3
take on me.mp3
bohemian_rhapsody_(live).mp3
01 - intro.mp3
02_-_outro.mp3
03.track.mp3
track 04.mp3
track_05.mp3
Already Clean.mp3
Another Clean Name.mp3
mañana - la música.mp3
fête de la musique.mp3
größte hits.mp3
świat - żółw.mp3
ışık - iğne.mp3
İstanbul - ağlar.mp3
ǆungla - ǉubav.mp3
ﬁnale - ﬂute.mp3
ʻukulele - hawaiʻi.mp3
τέλος.mp3
EOF

# Long names: three that the cleaning takes past 255 (each dash gains two spaces), one of 243
# Cyrillic letters (486 bytes, yet within the 255 UTF-16 units of exFAT and NTFS), one just short
# of 255 bytes.
repeat() { printf "$1%.0s" $(seq "$2"); }
names+=("$(repeat 'a-b-' 60)a.mp3" "$(repeat 'c-d-' 55)c.mp3" "$(repeat 'e-f-' 50)e.mp3")
names+=("$(repeat я 243).mp3" "$(repeat z 250).mp3")

# fill FOLDER: each name that FOLDER's disk takes, holding its own number and name; a name taken
# already in another letter case is passed over, not written into.
fill() {
  local i
  mkdir -p "$1"
  for i in "${!names[@]}"; do
    (set -C && printf '%s %s\n' "$i" "${names[i]}" > "$1/${names[i]}") 2> /dev/null || true
  done
}
fill "$exfat/music"
fill "$ntfs/music"
fill "$plain/music"
mount_ntfs -o windows_names

# Each file's path and contents, sorted.
snapshot() { (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }

# The names in FOLDER, one a line, escaped as plans escape them.
listing() { find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' | sed 's/\\/\\\\/g'; }

# refusals FILE: for each row named on a preview's, apply's or undo's standard error, its key
# ("FILE" to "NAME"), a tab, and the line without its opening words.
refusals() {
  local opening='vornick-cli: (would not rename|cannot rename|cannot take back)'
  LC_ALL=C sed -n -E "s/^$opening ((\".*\" to \"[^\"]*\"): .*)\$/\\3\t\\2/p" "$1"
}
keys() { refusals "$1" | cut -f 1 | LC_ALL=C sort -u; }

# without KEYS: the refusals of standard input whose key is not among the lines of file KEYS.
without() { awk -F '\t' 'NR == FNR { drop[$0]; next } !($1 in drop)' "$1" -; }

# check_plan LABEL PLAN FAILURES FOLDER: every checked row with a new name is renamed, unless it
# failed, when it keeps its old name.
check_plan() {
  local label=$1 plan=$2 failed=$3 folder=$4 checked current proposed at
  local -A listed=() refused=()
  while IFS= read -r current; do listed[$current]=1; done < <(listing "$folder")
  while IFS= read -r current; do refused[$current]=1; done < <(keys "$failed")
  while IFS=$'\t' read -r checked current proposed at; do
    [ "$checked" = 1 ] && [ "$current" != "$proposed" ] || continue
    if [ -n "${refused["\"$at$current\" to \"$proposed\""]:-}" ]; then
      [ -n "${listed[$current]:-}" ] || fail "$label: \"$current\" failed, yet is gone"
    elif [ -z "${listed[$proposed]:-}" ]; then
      fail "$label: \"$current\" is not renamed to \"$proposed\""
    elif [ -n "${listed[$current]:-}" ]; then
      fail "$label: \"$current\" is still there beside \"$proposed\""
    fi
  done < "$plan"
}

# expect_marks LABEL MARKS [TEXT...]: each TEXT is in the marks.
expect_marks() {
  local label=$1 marks=$2 text
  shift 2
  for text in "$@"; do
    grep -Fq -- "$text" "$marks" || fail "$label: preview marks nothing as '$text'"
  done
}

# round_trip KIND FOLDER: preview, apply, then undo, on a disk of KIND (exfat, ntfs, plain).
round_trip() {
  local kind=$1 folder=$2 out=$work/out/$1 status
  mkdir -p "$out"
  snapshot "$folder" > "$out/before"

  status=0
  "$cli" preview "$folder" > "$out/plan" 2> "$out/marks" || status=$?
  [ "$status" -eq 1 ] || fail "$kind: preview exited $status, not 1"
  status=0
  "$cli" apply "$out/plan" > /dev/null 2> "$out/failures" || status=$?
  [ "$status" -eq 1 ] || fail "$kind: apply exited $status, not 1"
  echo "$kind: $(keys "$out/marks" | wc -l) rows marked, $(keys "$out/failures" | wc -l) failed"

  local stray unmarked
  stray=$(grep -v '^vornick-cli: cannot rename "' "$out/failures" || true)
  [ -z "$stray" ] || fail "$kind: apply wrote lines that name no row: $stray"
  unmarked=$(LC_ALL=C comm -23 <(keys "$out/failures") <(keys "$out/marks"))
  [ -z "$unmarked" ] || fail "$kind: apply failed on rows preview did not mark: $unmarked"
  check_plan "$kind" "$out/plan" "$out/failures" "$folder"

  case $kind in
    exfat)
      expect_marks "$kind" "$out/marks" 'longer than exFAT allows' \
        '[con].mp3" to "Con.mp3": exFAT does not allow a name that begins "Con"'
      # A change of letter case alone, beyond ASCII, on a disk that ignores case.
      grep -Fxq 'Кино - Группа Крови.mp3' <(listing "$folder") ||
        fail "exfat: \"кино - группа крови.mp3\" is not \"Кино - Группа Крови.mp3\"" ;;
    ntfs)
      expect_marks "$kind" "$out/marks" 'longer than NTFS allows' "NTFS does not allow ':'" \
        '[con].mp3" to "Con.mp3": NTFS does not allow a name that begins "Con"'
      # Word for word, but for a row whose name another row takes first, a device name followed
      # by spaces, which Windows refuses and ntfs-3g lets pass, and a name that another file's
      # takes in Windows' eyes but not in ntfs-3g's, which keeps names of two cases apart.
      refusals "$out/marks" |
        grep -E 'another row proposes the same name|begins "[^"]* ": Windows keeps it|is there already' |
        cut -f 1 > "$out/wrinkles" || true
      diff <(refusals "$out/marks" | without "$out/wrinkles" | cut -f 2- | LC_ALL=C sort) \
        <(refusals "$out/failures" | without "$out/wrinkles" | cut -f 2- | LC_ALL=C sort) \
        > "$out/disagree" || fail "ntfs: preview (<) and apply (>) disagree:
$(cat "$out/disagree")" ;;
    plain)
      ! grep -q 'does not allow' "$out/marks" ||
        fail "plain: a rule of Windows is marked: $(grep 'does not allow' "$out/marks")" ;;
  esac

  status=0
  "$cli" undo > /dev/null 2> "$out/undo" || status=$?
  if [ "$status" -ne 0 ] && [ "$kind" = ntfs ]; then
    # Names that Windows refuses cannot be given back with windows_names: without it, they can.
    stray=$(grep -v 'NTFS does not allow' "$out/undo" || true)
    [ -z "$stray" ] || fail "ntfs: undo failed for another reason: $stray"
    echo "ntfs: $(grep -c '^vornick-cli: cannot take back' "$out/undo") names that Windows" \
      "refuses given back without windows_names"
    mv "$out/undo" "$out/undo-windows-names"
    mount_ntfs
    status=0
    "$cli" undo > /dev/null 2> "$out/undo" || status=$?
    mount_ntfs -o windows_names
  fi
  [ "$status" -eq 0 ] || fail "$kind: undo exited $status: $(cat "$out/undo")"
  snapshot "$folder" | cmp -s - "$out/before" || fail "$kind: undo did not give the folder back"
}

# portable_round_trip KIND FOLDER: preview --portable marks no rule of the disk; its plan, with the
# rows still marked unchecked, goes through without a failure, and back.
portable_round_trip() {
  local kind=$1 folder=$2 out=$work/out/$1/portable status
  mkdir -p "$out"
  snapshot "$folder" > "$out/before"
  status=0
  "$cli" preview --portable "$folder" > "$out/plan" 2> "$out/marks" || status=$?
  [ "$status" -le 1 ] || fail "$kind: preview --portable exited $status: $(cat "$out/marks")"
  local ruled
  ruled=$(grep -E 'does not allow|longer than|drops or refuses' "$out/marks" || true)
  [ -z "$ruled" ] || fail "$kind: preview --portable marks a rule of the disk: $ruled"
  keys "$out/marks" > "$out/marked"
  awk -F '\t' -v OFS='\t' 'NR == FNR { marked[$0]; next }
    ("\"" $4 $2 "\" to \"" $3 "\"") in marked { $1 = 0 } { print }' "$out/marked" "$out/plan" \
    > "$out/unmarked-plan"

  status=0
  "$cli" apply "$out/unmarked-plan" > /dev/null 2> "$out/failures" || status=$?
  [ "$status" -eq 0 ] && [ ! -s "$out/failures" ] ||
    fail "$kind: apply of the --portable plan exited $status: $(cat "$out/failures")"
  check_plan "$kind --portable" "$out/unmarked-plan" "$out/failures" "$folder"
  # Going back needs the names Windows refuses.
  [ "$kind" != ntfs ] || mount_ntfs
  status=0
  "$cli" apply --undo "$out/unmarked-plan" > /dev/null 2> "$out/undo" || status=$?
  [ "$kind" != ntfs ] || mount_ntfs -o windows_names
  [ "$status" -eq 0 ] ||
    fail "$kind: apply --undo of the --portable plan exited $status: $(cat "$out/undo")"
  snapshot "$folder" | cmp -s - "$out/before" ||
    fail "$kind: apply --undo of the --portable plan did not give the folder back"
}

round_trip plain "$plain/music"
round_trip exfat "$exfat/music"
round_trip ntfs "$ntfs/music"
portable_round_trip plain "$plain/music"
portable_round_trip exfat "$exfat/music"
portable_round_trip ntfs "$ntfs/music"

# The names --portable made for the plain folder, where Linux takes anything, are taken by both
# disks too.
for disk in exfat ntfs; do
  mkdir "$work/mnt/$disk/portable"
  while IFS=$'\t' read -r _ _ proposed _; do
    touch "$work/mnt/$disk/portable/$proposed" 2> /dev/null ||
      fail "$disk refuses \"$proposed\", a name of preview --portable"
  done < "$work/out/plain/portable/plan"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "all passed"
