#!/bin/bash
# Writes the character roster, Shift-JIS (CP932) text in fixed 60-byte records:
#
#   tools/make_roster.sh data/pcdata.kpd
#   tools/make_roster.sh data/pcdata-en.kpd en    (the same characters in English)
#
# Record layout: name length (3), name (11), portrait bitmap (3), gauge skill (3), release
# skill (3), profile (31), four blanks and CR LF. Numbers are left-aligned and blank-padded so
# that a blank ends every number inside its field. Edit the table below, never the output.
set -euo pipefail
export LC_ALL=C  # ${#var} counts bytes

out=${1:?usage: $0 OUTPUT [ja|en]}
language=${2:-ja}

# name | portrait | gauge skill | release skill | profile (UTF-8 here, at most 30 bytes in CP932)
characters=(
    "マスター|C1|2|2|店のマスター。腕前は店一番"
    "木村ケン|C2|4|3|プロを目指す常連客"
    "田中ユミ|C3|6|5|仕事帰りに毎晩通うＯＬ"
    "森ゴロウ|C4|9|6|酔うほど強くなるらしい"
    "アキラ|C5|3|5|無口なゲーマー。狙いは正確"
    "高橋ハナ|C6|7|7|明るい常連。腕は伸び盛り"
    "伊藤社長|C7|5|4|接待ダーツで鍛えた社長"
    "ジョー|C8|10|7|陽気な旅行者。まだ初心者"
)

# The same characters, portraits and skills in English (ASCII, which CP932 keeps as it is). The
# names are short enough for the darts bar's large "NAME: " line.
characters_en=(
    "Master|C1|2|2|The bar's owner. Best in house"
    "Ken|C2|4|3|A regular who wants to go pro"
    "Yumi|C3|6|5|Comes every night after work"
    "Goro|C4|9|6|Said to get better when drunk"
    "Akira|C5|3|5|Quiet gamer. Deadly accurate"
    "Hana|C6|7|7|Cheerful regular, improving"
    "Boss Ito|C7|5|4|A boss who learnt at parties"
    "Joe|C8|10|7|Jolly traveller, a beginner"
)
case $language in
ja) ;;
en) characters=("${characters_en[@]}") ;;
*)
    echo "$0: unknown language '$language' (ja or en)" >&2
    exit 1
    ;;
esac

pad() {  # pad TEXT WIDTH: TEXT followed by blanks up to WIDTH bytes
    local text=$1 width=$2
    if ((${#text} > width)); then
        echo "$0: '$text' is longer than $width bytes" >&2
        exit 1
    fi
    printf '%s%*s' "$text" $((width - ${#text})) ''
}

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
for entry in "${characters[@]}"; do
    IFS='|' read -r name portrait gauge release profile <<<"$entry"
    sjisName=$(printf '%s' "$name" | iconv -f UTF-8 -t CP932)
    sjisProfile=$(printf '%s' "$profile" | iconv -f UTF-8 -t CP932)
    if ((${#sjisName} > 11 || ${#sjisProfile} > 30)); then
        echo "$0: name or profile of '$portrait' too long" >&2
        exit 1
    fi
    # The front end shows 18 - gauge - release years of experience; it must stay at least 1.
    if ((gauge + release > 17)); then
        echo "$0: skills of '$portrait' add up to more than 17" >&2
        exit 1
    fi
    {
        pad "${#sjisName}" 3
        pad "$sjisName" 11
        pad "$portrait" 3
        pad "$gauge" 3
        pad "$release" 3
        pad "$sjisProfile" 31
        printf '    \r\n'
    } >>"$tmp"
done

size=$(wc -c <"$tmp")
if ((size != 60 * ${#characters[@]})); then
    echo "$0: wrote $size bytes, expected $((60 * ${#characters[@]}))" >&2
    exit 1
fi
chmod 644 "$tmp"
mv "$tmp" "$out"
trap - EXIT
