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

# Removes the application bundle at the given path. Only an existing ".app" folder (any letter
# case) given by an absolute path in plain form is removed; a link, a file or anything else is
# refused. A bundle made read-only by its owner is made writable first; one in a folder the user
# cannot write is refused before anything is touched, so it is never left half removed.
setSafariURL() {
    bundle=$1
    # One trailing "/" is allowed, as a dropped folder may carry it.
    case $bundle in
        */) bundle=${bundle%/} ;;
    esac
    case $bundle in
        /*.[aA][pP][pP]) ;;
        *) echo "setSafariURL: not an application bundle path: $1" >&2; return 2 ;;
    esac
    case $bundle in
        */../*|*/./*|*//*) echo "setSafariURL: path not in plain form: $1" >&2; return 2 ;;
    esac
    if [ -L "$bundle" ] || [ ! -d "$bundle" ]; then
        echo "setSafariURL: no application bundle folder at $bundle" >&2
        return 1
    fi
    parent=$(dirname -- "$bundle")
    if [ ! -w "$parent" ] || [ ! -x "$parent" ]; then
        echo "setSafariURL: cannot remove entries of $parent" >&2
        return 1
    fi
    if [ ! -w "$bundle" ] && [ ! -O "$bundle" ]; then
        echo "setSafariURL: $bundle is neither writable nor owned by the user" >&2
        return 1
    fi
    # find never follows links, so only the bundle's own folders change mode.
    find "$bundle" -type d ! -perm -u+w -user "$(id -u)" -exec chmod u+w {} + 2>/dev/null
    if [ -n "$(find "$bundle" -type d ! -writable -print 2>/dev/null | head -n 1)" ]; then
        echo "setSafariURL: parts of $bundle cannot be removed; nothing was removed" >&2
        return 1
    fi
    rm -rf -- "$bundle"
    if [ -e "$bundle" ] || [ -L "$bundle" ]; then
        echo "setSafariURL: $bundle could not be removed completely" >&2
        return 1
    fi
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
