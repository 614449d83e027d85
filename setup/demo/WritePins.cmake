# Writes the pin file of the demo installers: one sha256sum line for every
# file below the demo server's data folder, named by its URL path.
#   cmake -DROOT=<www folder> -DOUTPUT=<pin file> -P WritePins.cmake
file(GLOB_RECURSE installers LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/data/*")
list(SORT installers)
set(content "# SHA-256 of the demo installers, by URL path (sha256sum format).\n")
foreach(installer IN LISTS installers)
    file(SHA256 "${ROOT}/${installer}" digest)
    string(APPEND content "${digest}  /${installer}\n")
endforeach()
# Replaced whole, so a reader never sees half a file.
file(WRITE "${OUTPUT}.new" "${content}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
