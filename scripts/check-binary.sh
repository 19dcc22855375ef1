#!/bin/sh
# Checks orvcc32.dll as a host's linker and loader see it: it imports system DLLs
# only, and exports exactly the names of orvcc32.def, plain (no @N decoration),
# under the ordinals the .def fixes, if any.
# Usage: check-binary.sh OBJDUMP DLL DEF
#        check-binary.sh OBJDUMP ccdemo.exe   (a GUI program: system DLLs, and
#        from orvcc32.dll the one function InitORVCC)
set -eu
objdump=$1 dll=$2 def=${3:-}
dump=$("$objdump" -p "$dll")
status=0

if [ -z "$def" ]; then
    printf '%s\n' "$dump" | grep -q 'Subsystem.*(Windows GUI)' || { echo "not a GUI program"; status=1; }
    from_library=$(printf '%s\n' "$dump" | awk '
        /DLL Name:/ { inlib = toupper($3) == "ORVCC32.DLL"; next }
        inlib && /^\t[0-9a-f]+\t/ { print $3 }' | sort -u | tr '\n' ' ')
    [ "$from_library" = "InitORVCC " ] || { echo "from orvcc32.dll: $from_library"; status=1; }
fi

imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ {print toupper($3)}' | sort -u)
for name in $imports; do
    case $name in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|SHLWAPI.DLL|SHELL32.DLL|ADVAPI32.DLL|VERSION.DLL|MSVCRT.DLL) ;;
    ORVCC32.DLL) [ -z "$def" ] || { echo "imports itself"; status=1; } ;;
    *) echo "not a system DLL: $name"; status=1 ;;
    esac
done

if [ -z "$def" ]; then
    [ $status -eq 0 ] && echo "imports: $(echo $imports); from orvcc32.dll: $from_library"
    exit $status
fi

expected=$(sed -n '/^EXPORTS/,$p' "$def" | sed '1d; s/;.*//; s/@[0-9]*//g; s/[[:space:]]//g; /^$/d' | sort)
actual=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
         sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
if [ "$expected" != "$actual" ]; then
    echo "exports differ from $def:"
    printf '%s\n' "$expected" > /tmp/orvcc-expected.$$
    printf '%s\n' "$actual" | diff /tmp/orvcc-expected.$$ - || true
    rm -f /tmp/orvcc-expected.$$
    status=1
fi
printf '%s\n' "$actual" | grep -q '@' && { echo "decorated export names"; status=1; }
# An ordinal the .def fixes ("Name@size @ordinal") is the export's ordinal.
base=$(printf '%s\n' "$dump" | sed -n 's/.*Ordinal Base \([0-9]*\).*/\1/p')
fixed=$(sed -n '/^EXPORTS/,$p' "$def" | sed -n 's/^[[:space:]]*\([A-Za-z_][A-Za-z0-9_]*\)[@0-9]*[[:space:]][[:space:]]*@[[:space:]]*\([0-9][0-9]*\).*/\1 \2/p')
printf '%s\n' "$fixed" | while read -r name ordinal; do
    [ -n "$name" ] || continue
    printf '%s\n' "$dump" | grep -Eq "^[[:space:]]*\[ *$((ordinal - ${base:-1}))\] $name\$" ||
        { echo "$name is not ordinal $ordinal"; exit 1; }
done || status=1
[ $status -eq 0 ] && echo "imports: $(echo $imports); exports: $(printf '%s\n' "$actual" | wc -l) plain names"
exit $status
