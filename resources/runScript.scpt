#!/bin/sh
# The application's script handlers. Called as: runScript.scpt <handler> <argument>
# Each handler takes exactly one argument and answers on standard output.

set -u

# Prints the text of Firefox's profile list. The argument is the path of a file named
# "profiles.ini"; nothing else is read.
chock() {
    ini=$1
    case $ini in
        /*/profiles.ini) ;;
        *) echo "chock: not a profiles.ini path: $ini" >&2; return 2 ;;
    esac
    if [ ! -f "$ini" ] || [ ! -r "$ini" ]; then
        echo "chock: no readable file at $ini" >&2
        return 1
    fi
    cat -- "$ini"
}

# Removes the application bundle at the given path. Only an existing ".app" folder given by an
# absolute path is removed; a link, a file or anything else is refused.
setSafariURL() {
    bundle=$1
    # One trailing "/" is allowed, as a dropped folder may carry it.
    case $bundle in
        */) bundle=${bundle%/} ;;
    esac
    case $bundle in
        /*.app) ;;
        *) echo "setSafariURL: not an application bundle path: $1" >&2; return 2 ;;
    esac
    case $bundle in
        */../*|*/./*|*//*) echo "setSafariURL: path not in plain form: $1" >&2; return 2 ;;
    esac
    if [ -L "$bundle" ] || [ ! -d "$bundle" ]; then
        echo "setSafariURL: no application bundle folder at $bundle" >&2
        return 1
    fi
    rm -rf -- "$bundle"
}

if [ $# -ne 2 ]; then
    echo "usage: runScript.scpt <handler> <argument>" >&2
    exit 64
fi

case $1 in
    chock) chock "$2" ;;
    setSafariURL) setSafariURL "$2" ;;
    *) echo "unknown handler: $1" >&2; exit 64 ;;
esac
