#!/usr/bin/env bash
# The version is written in one place, CMakeLists.txt's project(VERSION ...): the
# newest entry of debian/changelog and the newest release of the AppStream file
# must name the same one.
#   usage: version_test.sh PROJECT-VERSION SOURCE-FOLDER
set -u
expected=${1:?usage: version_test.sh PROJECT-VERSION SOURCE-FOLDER}
source=${2:?usage: version_test.sh PROJECT-VERSION SOURCE-FOLDER}
status=0

# The upstream part of the Debian version: without an epoch or a revision.
package_version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version | sed 's/^[0-9]*://; s/-[^-]*$//')
if [ "$package_version" != "$expected" ]; then
  echo "FAIL: debian/changelog's newest entry is $package_version, CMakeLists.txt says $expected"
  status=1
fi
release=$(grep -o '<release version="[^"]*"' "$source"/share/metainfo/*.metainfo.xml | head -n 1 | cut -d '"' -f 2)
if [ "$release" != "$expected" ]; then
  echo "FAIL: the AppStream file's newest release is '$release', CMakeLists.txt says $expected"
  status=1
fi
[ $status -eq 0 ] && echo "version $expected everywhere"
exit $status
