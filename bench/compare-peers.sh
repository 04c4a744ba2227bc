#!/usr/bin/env bash
# Times velmora-cli against ImageMagick, GraphicsMagick and libvips doing the nearest equivalent
# operation on the same JPEG (or PNG), one whole process per run, and prints a Markdown table of
# mean times with each one's ratio to the fastest tool of its row, and the peak memory of the
# rows that reduce a large photo to the working size.
set -euo pipefail

usage() {
    cat <<'EOF'
Usage: bench/compare-peers.sh [--quick] [--runs N] [--warmup N] [--output FILE] [--keep]

  --quick        2 runs per command and no warm-up, for a look in under a minute
  --runs N       timed runs per command (default 5)
  --warmup N     untimed runs before them (default 1)
  --output FILE  also write the table to FILE
  --keep         keep the temporary folder (inputs, outputs, hyperfine exports) and print its path
EOF
}

runs=5
warmup=1
output=
keep=0
while (($#)); do
    case "$1" in
    --quick) runs=2 warmup=0 ;;
    --runs) runs=${2:?--runs needs a number}; shift ;;
    --warmup) warmup=${2:?--warmup needs a number}; shift ;;
    --output) output=${2:?--output needs a file}; shift ;;
    --output=*) output=${1#--output=} ;;
    --keep) keep=1 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "compare-peers: unknown option '$1'" >&2; usage >&2; exit 2 ;;
    esac
    shift
done
[[ $runs =~ ^[0-9]+$ && $runs -ge 2 ]] || { echo "compare-peers: --runs must be 2 or more" >&2; exit 2; }
[[ $warmup =~ ^[0-9]+$ ]] || { echo "compare-peers: --warmup must be a number" >&2; exit 2; }
# A relative --output names a file where the caller stands, not in the repository.
[[ -z $output ]] || output=$(realpath -m -- "$output")

say() { printf 'compare-peers: %s\n' "$*" >&2; }

cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$PWD

scripts/bootstrap bench
say "building velmora-cli (Release) in build-release/"
{
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build build-release --target velmora-cli
} >&2
cli=$repo/build-release/cli/velmora-cli

# Debian's own binary before plain `convert`: a wrapper script earlier on PATH would add a shell
# start to every timed run. ImageMagick 7 takes the same arguments through `magick`.
im=$(command -v magick || command -v convert-im6.q16 || command -v convert) ||
    { echo "compare-peers: ImageMagick is not installed" >&2; exit 1; }
for tool in gm vips vipsheader hyperfine; do
    command -v "$tool" >/dev/null || { echo "compare-peers: $tool is not installed" >&2; exit 1; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/velmora-peers.XXXXXX")
if ((keep)); then
    trap 'say "kept $tmp"' EXIT
else
    trap 'rm -rf -- "$tmp"' EXIT
fi
mkdir "$tmp/out" "$tmp/results"

# Inputs: a bundled photo filled up to 4:3 without distortion, stored as a camera would (4:2:0,
# quality 90, no metadata, so no orientation to undo).
sample=$repo/resources/samples/coffee.png
say "making test inputs in $tmp"
"$im" "$sample" -resize '1600x1200^' -gravity center -extent 1600x1200 -strip \
    -sampling-factor 2x2 -quality 90 "$tmp/photo.jpg"
"$im" "$sample" -resize '4000x3000^' -gravity center -extent 4000x3000 -strip \
    -sampling-factor 2x2 -quality 90 "$tmp/photo-12mp.jpg"
# The same photo stored losslessly, at 12 megapixels and at the largest size velmora takes in,
# its rows filtered adaptively as most PNG writers do.
for png in 4000x3000:photo-12mp.png 16383x8192:photo-largest.png; do
    size=${png%%:*}
    vips thumbnail "$sample" "$tmp/${png#*:}[filter=all]" "${size%x*}" --height "${size#*x}" \
        --size both --crop centre
done

cd "$tmp"

# Level 14 of velmora's slope curves is 127/103; its brightness offset is 4 * 14 - 40 = 16.
# The contrast line through (128, 128) is given as slope and offset (vips), offset on 0..1
# (ImageMagick) and as the black and white points it maps to 0 and 255 (GraphicsMagick).
read -r slope shift intercept black_pct white_pct < <(awk 'BEGIN {
    s = 127 / 103
    b = 128 - 128 * s
    printf "%.4f %.4f %.5f %.4f %.4f\n", s, b, b / 255, 100 * -b / s / 255, 100 * (255 - b) / s / 255
}')
offset_pct=$(awk 'BEGIN { printf "%.4f", 100 * 16 / 255 }')

# Colour matrices, as rows of R, G, B weights: grey (Rec. 601 luma), the usual sepia, and
# saturation by the slope above (chroma scaled, luma kept).
grey='0.299 0.587 0.114 0.299 0.587 0.114 0.299 0.587 0.114'
sepia='0.393 0.769 0.189 0.349 0.686 0.168 0.272 0.534 0.131'
saturation=$(awk -v s="$slope" 'BEGIN {
    split("0.299 0.587 0.114", l, " ")
    for (r = 1; r <= 3; ++r)
        for (c = 1; c <= 3; ++c)
            printf "%s%.5f", (r + c > 2 ? " " : ""), (r == c ? s : 0) - (s - 1) * l[c]
}')
matrix_file() { # NAME "9 weights": a 3 x 3 matrix file for vips recomb
    awk -v m="$2" 'BEGIN { n = split(m, v, " "); print "3 3"; for (i = 1; i <= n; ++i) printf "%s%s", v[i], (i % 3 ? " " : "\n") }' >"$1"
}
matrix_file grey.mat "$grey"
matrix_file sepia.mat "$sepia"
matrix_file saturation.mat "$saturation"
# Convolution masks (width height scale offset): white paper with dark edges, and a relief on grey.
printf '3 3 1 255\n0 1 0\n1 -4 1\n0 1 0\n' >pencil.mat
printf '3 3 1 128\n-1 -1 0\n-1 0 1\n0 1 1\n' >emboss.mat
# Posterize to 12 levels, about what velmora's default (bins of 21) gives, as ImageMagick's
# -posterize 12 does.
{
    printf 'P5\n256 1\n255\n'
    for ((i = 0; i < 256; ++i)); do
        v=$((((i * 11 + 127) / 255 * 255 + 5) / 11))
        printf %b "\\0$(printf %03o "$v")"
    done
} >posterize.pgm

# Every tool writes what velmora-cli writes: a quality 90 JPEG with 4:2:0 chroma. ImageMagick and
# libvips otherwise drop chroma subsampling at quality 90 and would encode twice the chroma.
imq='-sampling-factor 2x2 -quality 90'
gmq='-sampling-factor 2x2 -quality 90'
vq='[Q=90,subsample-mode=on]'
q_cli=$(printf %q "$cli")
q_im=$(printf %q "$im")
border=48 # velmora's default white border: 6/200 of 1600 pixels, painted over the picture's edge

labels=()
declare -A commands=() sizes=()
row() { # LABEL WIDTHxHEIGHT VELMORA IMAGEMAGICK GRAPHICSMAGICK VIPS (empty: no equivalent)
    local n=${#labels[@]}
    labels+=("$1")
    sizes[$n]=$2
    commands[$n.velmora]=$3
    commands[$n.im]=$4
    commands[$n.gm]=$5
    commands[$n.vips]=$6
}
vel() { printf '%s apply %s -o out/%s-velmora.jpg --force' "$q_cli" "$@"; }

n=0
out() { printf 'out/%s-%s.jpg' "$n" "$1"; }
row 'Decode + encode (baseline)' 1600x1200 \
    "$(vel photo.jpg $n)" \
    "$q_im photo.jpg $imq $(out im)" \
    "gm convert photo.jpg $gmq $(out gm)" \
    "vips copy photo.jpg '$(out vips)$vq'"
n=1
# Grey results stay three-channel JPEGs where a tool lets that be chosen; GraphicsMagick always
# stores a grey picture as one channel.
row 'Grayscale' 1600x1200 \
    "$(vel "photo.jpg -e 'Black and White'" $n)" \
    "$q_im photo.jpg -colorspace Gray -type TrueColor $imq $(out im)" \
    "gm convert photo.jpg -colorspace Gray $gmq $(out gm)" \
    "vips recomb photo.jpg '$(out vips)$vq' grey.mat"
n=2
row 'Sepia' 1600x1200 \
    "$(vel "photo.jpg -e Sepia" $n)" \
    "$q_im photo.jpg -color-matrix '$sepia' $imq $(out im)" \
    "gm convert photo.jpg -recolor '$sepia' $gmq $(out gm)" \
    "vips recomb photo.jpg '$(out vips)$vq' sepia.mat"
n=3
row 'Negate' 1600x1200 \
    "$(vel "photo.jpg -e 'Color Negative'" $n)" \
    "$q_im photo.jpg -negate $imq $(out im)" \
    "gm convert photo.jpg -negate $gmq $(out gm)" \
    "vips invert photo.jpg '$(out vips)$vq'"
n=4
# No dithering, as velmora has none. GraphicsMagick has no level count, only a bit depth: 4 bits,
# 16 levels.
row 'Posterize' 1600x1200 \
    "$(vel "photo.jpg -e Posterize" $n)" \
    "$q_im photo.jpg +dither -posterize 12 $imq $(out im)" \
    "gm convert photo.jpg -operator All Depth 4 $gmq $(out gm)" \
    "vips maplut photo.jpg '$(out vips)$vq' posterize.pgm"
n=5
# `--` ends vips's options so that a negative offset is not read as one.
row 'Brightness +16' 1600x1200 \
    "$(vel "photo.jpg -e 'Adjust Brightness=14'" $n)" \
    "$q_im photo.jpg -evaluate Add $offset_pct% $imq $(out im)" \
    "gm convert photo.jpg -operator All Add $offset_pct% $gmq $(out gm)" \
    "vips linear --uchar -- photo.jpg '$(out vips)$vq' 1 16"
n=6
row 'Contrast ×1.23' 1600x1200 \
    "$(vel "photo.jpg -e 'Adjust Contrast=14'" $n)" \
    "$q_im photo.jpg -function Polynomial $slope,$intercept $imq $(out im)" \
    "gm convert photo.jpg -level $black_pct%,1.0,$white_pct% $gmq $(out gm)" \
    "vips linear --uchar -- photo.jpg '$(out vips)$vq' $slope $shift"
n=7
row 'Saturation ×1.23' 1600x1200 \
    "$(vel "photo.jpg -e 'Adjust Saturation=14'" $n)" \
    "$q_im photo.jpg -color-matrix '$saturation' $imq $(out im)" \
    "gm convert photo.jpg -recolor '$saturation' $gmq $(out gm)" \
    "vips recomb photo.jpg '$(out vips)$vq' saturation.mat"
n=8
row 'Auto levels' 1600x1200 \
    "$(vel "photo.jpg -e 'Auto Correction'" $n)" \
    "$q_im photo.jpg -normalize $imq $(out im)" \
    "gm convert photo.jpg -normalize $gmq $(out gm)" \
    "vips scale photo.jpg '$(out vips)$vq'"
n=9
row 'Pencil (edges)' 1600x1200 \
    "$(vel "photo.jpg -e Pencil" $n)" \
    "$q_im photo.jpg -colorspace Gray -edge 1 -negate -type TrueColor $imq $(out im)" \
    "gm convert photo.jpg -colorspace Gray -edge 1 -negate $gmq $(out gm)" \
    "vips conv photo.jpg '$(out vips)$vq' pencil.mat --precision integer"
n=10
# -emboss in both Magicks sharpens rather than carves; -shade is their relief on grey.
row 'Emboss' 1600x1200 \
    "$(vel "photo.jpg -e Sculpture" $n)" \
    "$q_im photo.jpg -shade 135x45 -type TrueColor $imq $(out im)" \
    "gm convert photo.jpg -shade 135x45 $gmq $(out gm)" \
    "vips conv photo.jpg '$(out vips)$vq' emboss.mat --precision integer"
n=11
row 'Centre crop, square' 1200x1200 \
    "$(vel "photo.jpg -e Square" $n)" \
    "$q_im photo.jpg -gravity center -crop 1200x1200+0+0 +repage $imq $(out im)" \
    "gm convert photo.jpg -gravity center -crop 1200x1200+0+0 $gmq $(out gm)" \
    "vips crop photo.jpg '$(out vips)$vq' 200 0 1200 1200"
n=12
# velmora paints the border over the picture's edge and keeps its size. The vips command line
# takes one operation per process, so it crops into a file of its own format and pads that.
row 'White border' 1600x1200 \
    "$(vel "photo.jpg -e 'White border'" $n)" \
    "$q_im photo.jpg -shave ${border}x$border -bordercolor white -border ${border}x$border $imq $(out im)" \
    "gm convert photo.jpg -shave ${border}x$border -bordercolor white -border ${border}x$border $gmq $(out gm)" \
    "vips crop photo.jpg out/$n-inner.v $border $border $((1600 - 2 * border)) $((1200 - 2 * border)) && vips embed out/$n-inner.v '$(out vips)$vq' $border $border 1600 1200 --extend white"
n=13
# velmora decodes a large JPEG at a reduced DCT scale before resizing; the size hints and vips
# thumbnail let the peers do the same.
row '12 MP → 1600 × 1200' 1600x1200 \
    "$(vel photo-12mp.jpg $n)" \
    "$q_im -define jpeg:size=1600x1200 photo-12mp.jpg -resize 1600x1200 $imq $(out im)" \
    "gm convert -size 1600x1200 photo-12mp.jpg -resize 1600x1200 $gmq $(out gm)" \
    "vips thumbnail photo-12mp.jpg '$(out vips)$vq' 1600 --height 1200"
n=14
row '12 MP PNG → 1600 × 1200' 1600x1200 \
    "$(vel photo-12mp.png $n)" \
    "$q_im photo-12mp.png -resize 1600x1200 $imq $(out im)" \
    "gm convert photo-12mp.png -resize 1600x1200 $gmq $(out gm)" \
    "vips thumbnail photo-12mp.png '$(out vips)$vq' 1600 --height 1200"
n=15
# velmora-cli decodes a large PNG a row at a time and reduces as it goes, as libvips does; the
# Magicks hold the whole 134-megapixel picture (at 8 bytes a pixel) and take many seconds a run.
row '16383 × 8192 PNG → 1600 × 800' 1600x800 \
    "$(vel photo-largest.png $n)" "" "" \
    "vips thumbnail photo-largest.png '$(out vips)$vq' 1600 --height 1200"

tools=(velmora im gm vips)
declare -A tool_name=([velmora]=velmora-cli [im]=ImageMagick [gm]=GraphicsMagick [vips]=libvips)
declare -A mean_ms=()
failed=0
started=$SECONDS
load=$(cut -d' ' -f1 /proc/loadavg)
say "timing ${#labels[@]} operations x ${#tools[@]} tools, $runs runs after $warmup warm-up each (load $load)"
for ((r = 0; r < ${#labels[@]}; ++r)); do
    for tool in "${tools[@]}"; do
        command=${commands[$r.$tool]}
        [[ -n $command ]] || continue
        base=results/$r-$tool
        shell=(-N)
        [[ $command != *'&&'* ]] || shell=() # a chain needs a shell; hyperfine subtracts its start
        if ! hyperfine "${shell[@]}" --style none --warmup "$warmup" --runs "$runs" \
            --command-name "${tool_name[$tool]}" --export-json "$base.json" --export-csv "$base.csv" \
            "$command" >"$base.log" 2>&1; then
            say "FAILED: ${labels[$r]} / ${tool_name[$tool]}: $command"
            sed 's/^/    /' "$base.log" >&2
            failed=1
            continue
        fi
        # A wrong-sized output means the command did something other than the row's operation.
        made=out/$r-$tool.jpg
        got=missing
        [[ ! -f $made ]] || got=$(vipsheader -f width "$made")x$(vipsheader -f height "$made")
        if [[ $got != "${sizes[$r]}" ]]; then
            say "FAILED: ${labels[$r]} / ${tool_name[$tool]} wrote ${got}, not ${sizes[$r]}"
            failed=1
            continue
        fi
        mean_ms[$r.$tool]=$(awk -F, 'NR == 2 { printf "%.3f", $2 * 1000 }' "$base.csv")
        say "$(printf '%-28s %-15s %8.1f ms' "${labels[$r]}" "${tool_name[$tool]}" "${mean_ms[$r.$tool]}")"
    done
done

# Peak resident memory of the rows that reduce a large photo, one run per tool (GNU time's %M,
# in kB).
declare -A peak_mb=()
peak_rows=()
for ((r = 0; r < ${#labels[@]}; ++r)); do
    [[ ${labels[$r]} != *→* ]] || peak_rows+=("$r")
done
for r in "${peak_rows[@]}"; do
    for tool in "${tools[@]}"; do
        command=${commands[$r.$tool]:-}
        [[ -n $command ]] || continue
        if /usr/bin/time -f %M -o "results/peak-$r-$tool" sh -c "$command" >/dev/null 2>&1; then
            peak_mb[$r.$tool]=$(awk '{ printf "%.0f", $1 / 1024 }' "results/peak-$r-$tool")
        fi
    done
done

first_line() { "$@" 2>&1 | sed -n 1p; } # sed reads to the end: no SIGPIPE under pipefail
cpu=$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)
rev=$(git -C "$repo" describe --always --dirty 2>/dev/null || echo unknown)
im_version=$(first_line "$im" -version | awk '{ print $2, $3, $4 }')
gm_version=$(first_line gm version | awk '{ print $1, $2, $4 }')
vips_version=$(first_line vips --version | sed 's/^vips-/libvips /')
hf_version=$(first_line hyperfine --version)

# A table row: each value with its ratio to the smallest of the row; "-" for none.
ratio_row() {
    local label=$1 unit=$2
    shift 2
    awk -v label="$label" -v unit="$unit" -v values="$*" 'BEGIN {
        n = split(values, m, " ")
        best = 0
        for (i = 1; i <= n; ++i)
            if (m[i] != "-" && (best == 0 || m[i] + 0 < best)) best = m[i] + 0
        line = "| " label " |"
        for (i = 1; i <= n; ++i) {
            if (m[i] == "-") { line = line " — |"; continue }
            v = m[i] + 0
            line = line sprintf(v < 10 ? " %.1f %s (%.1f×) |" : " %.0f %s (%.1f×) |", v, unit, v / best)
        }
        print line
    }'
}

table=$(
    printf '| Operation | velmora-cli | ImageMagick | GraphicsMagick | libvips |\n'
    printf '|---|--:|--:|--:|--:|\n'
    for ((r = 0; r < ${#labels[@]}; ++r)); do
        means=()
        for tool in "${tools[@]}"; do means+=("${mean_ms[$r.$tool]:--}"); done
        ratio_row "${labels[$r]}" ms "${means[@]}"
    done
    for r in "${peak_rows[@]}"; do
        peaks=()
        for tool in "${tools[@]}"; do peaks+=("${peak_mb[$r.$tool]:--}"); done
        ratio_row "${labels[$r]}: peak memory" MB "${peaks[@]}"
    done
    printf '\n'
    # What the operation itself adds: its time minus the same tool's decode + encode (row 0), for the
    # rows that read the same 1600 x 1200 input.
    printf '| Operation: its own cost | velmora-cli | ImageMagick | GraphicsMagick | libvips | velmora-cli ÷ smallest peer |\n'
    printf '|---|--:|--:|--:|--:|--:|\n'
    for ((r = 1; r < ${#labels[@]}; ++r)); do
        [[ ${sizes[$r]} == 1600x1200 || ${sizes[$r]} == 1200x1200 ]] && [[ ${labels[$r]} != 12* ]] || continue
        costs=()
        for tool in "${tools[@]}"; do
            if [[ -n ${mean_ms[$r.$tool]:-} && -n ${mean_ms[0.$tool]:-} ]]; then
                costs+=("$(awk -v a="${mean_ms[$r.$tool]}" -v b="${mean_ms[0.$tool]}" 'BEGIN { printf "%.3f", a - b }')")
            else
                costs+=(-)
            fi
        done
        awk -v label="${labels[$r]}" -v costs="${costs[*]}" 'BEGIN {
            n = split(costs, c, " ")
            peer = ""
            for (i = 2; i <= n; ++i)
                if (c[i] != "-" && (peer == "" || c[i] + 0 < peer)) peer = c[i] + 0
            line = "| " label " |"
            for (i = 1; i <= n; ++i)
                line = line (c[i] == "-" ? " — |" : sprintf(" %.1f ms |", c[i]))
            if (c[1] == "-" || peer == "") line = line " — |"
            else if (c[1] <= 0.5) line = line " velmora-cli ≤ 0.5 ms |"
            else if (peer <= 0.5) line = line " peer ≤ 0.5 ms |"
            else line = line sprintf(" %.2f |", c[1] / peer)
            print line
        }'
    done
    printf '\n'
    printf '_Machine: %s cores (nproc), %s, load %s at start. Tools: velmora-cli %s (git %s, Release), %s, %s, %s, %s. ' \
        "$(nproc)" "$cpu" "$load" "$("$cli" --version | awk '{ print $2 }')" "$rev" \
        "$im_version" "$gm_version" "$vips_version" "$hf_version"
    printf 'Mean of %s whole-process runs after %s warm-up, each tool at its default thread count; ' \
        "$runs" "$warmup"
    printf '1600 × 1200 JPEG in (4000 × 3000 for the 12 MP rows; PNG where the row says so), 4:2:0 JPEG at quality 90 out; '
    printf 'ratio to the fastest of the row; — no equivalent. GraphicsMagick writes grey results as one-channel JPEGs._\n'
)

printf '%s\n' "$table"
[[ -z $output ]] || printf '%s\n' "$table" >"$output"
say "done in $((SECONDS - started)) s of timing"
exit "$failed"
