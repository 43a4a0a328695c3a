# velm_codecs: the widget-free part of the program -- frame decoders, NMEA,
# the GSM reply reader, the Modbus and MQTT codecs, the receive-stream
# decoder, the capped line reader, geodesy, unit tables, the converters' and
# the cipher's logic, and the few Core-only helpers they use. It links
# Qt6::Core and Qt6::Network only and has no precompiled header, so a file
# here that includes a QtGui or QtWidgets header does not compile.
# velm_core links it; tests that include only these headers link it alone
# (tests/CMakeLists.txt).
#
# Which files belong here is this explicit list (paths from the repository
# root, a .cpp and its .h together). Everything else under the code folders
# is globbed into velm_core. A new source that includes no Qt module beyond
# Core and Network belongs on this list, or on VELM_CORE_ONLY_KEPT_IN_CORE
# below with the reason it stays out: the test tools_codeclist fails for a
# Core-only source that is on neither list, and for a listed source that
# reaches a widget header. This file is included before velm_core is made.
set(VELM_CODEC_SOURCES
  app/translations.cpp app/translations.h
  app/updateversion.cpp app/updateversion.h
  common/appinfo.cpp common/appinfo.h
  common/eventwait.cpp common/eventwait.h
  common/hexdigit.h
  common/portnumber.cpp common/portnumber.h
  devices/cie/cielines.cpp devices/cie/cielines.h
  devices/devicenumber.cpp devices/devicenumber.h
  devices/env/envlines.cpp devices/env/envlines.h
  devices/gps/geodesy.cpp devices/gps/geodesy.h
  devices/gps/gpssatellites.cpp devices/gps/gpssatellites.h
  devices/gps/gpssignal.cpp devices/gps/gpssignal.h
  devices/gps/gpstrack.cpp devices/gps/gpstrack.h
  devices/gps/nmea.cpp devices/gps/nmea.h
  devices/gsm/gsmanswer.cpp devices/gsm/gsmanswer.h
  devices/gsm/gsmcallstate.cpp devices/gsm/gsmcallstate.h
  devices/gsm/gsmexchange.cpp devices/gsm/gsmexchange.h
  devices/gsm/gsmreply.cpp devices/gsm/gsmreply.h
  devices/gsm/gsmsms.cpp devices/gsm/gsmsms.h
  devices/i2c/i2cframes.cpp devices/i2c/i2cframes.h
  devices/osc/oscframes.cpp devices/osc/oscframes.h
  devices/spectra/spectralines.cpp devices/spectra/spectralines.h
  devices/tof/tofframes.cpp devices/tof/tofframes.h
  network/modbus/kalvest_modbusclient.cpp network/modbus/kalvest_modbusclient.h
  network/modbus/modbuscodec.cpp network/modbus/modbuscodec.h
  network/modbus/modbusvaluetext.cpp network/modbus/modbusvaluetext.h
  network/mqtt/mqttclient.cpp network/mqtt/mqttclient.h
  network/mqtt/mqttpacket.cpp network/mqtt/mqttpacket.h
  network/netsend.cpp network/netsend.h
  network/serverclients.cpp network/serverclients.h
  serial/filesender.cpp serial/filesender.h
  terminal/cappedlinereader.cpp terminal/cappedlinereader.h
  terminal/peerdecoder.cpp terminal/peerdecoder.h
  terminal/rxformat.cpp terminal/rxformat.h
  terminal/sendqueue.cpp terminal/sendqueue.h
  tools/convert/currencyconverter.cpp tools/convert/currencyconverter.h
  tools/convert/currencyrates.cpp tools/convert/currencyrates.h
  tools/convert/unittables.cpp tools/convert/unittables.h
  tools/crypty/cryptylogic.cpp tools/crypty/cryptylogic.h
  tools/crypty/des.cpp tools/crypty/des.h
  tools/hex/hexfileread.cpp tools/hex/hexfileread.h
  tools/hex/hextablemodel.cpp tools/hex/hextablemodel.h
  tools/hex/rowbitmap.h
  tools/unicode/unicodeescape.cpp tools/unicode/unicodeescape.h)

# Core-only sources that stay in velm_core, each with its reason.
set(VELM_CORE_ONLY_KEPT_IN_CORE
  # style-sheet text for the pages' open buttons: only widgets use it
  common/openbuttonstyle.h
  # the GSM page's session keeps a text codec (Qt6::Core5Compat)
  devices/gsm/gsmsession.h)

# The folders whose headers are included by bare file name.
set(VELM_CODE_FOLDERS app common serial terminal network devices tools)

set(VELM_CODEC_PATHS)
foreach(f ${VELM_CODEC_SOURCES} ${VELM_CORE_ONLY_KEPT_IN_CORE})
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${f})
    message(FATAL_ERROR "cmake/00-codecs.cmake names ${f}, which does not exist")
  endif()
endforeach()
foreach(f ${VELM_CODEC_SOURCES})
  list(APPEND VELM_CODEC_PATHS ${CMAKE_SOURCE_DIR}/${f})
endforeach()

add_library(velm_codecs SHARED ${VELM_CODEC_PATHS})
set(velm_codec_includes)
foreach(d ${VELM_CODE_FOLDERS})
  list(APPEND velm_codec_includes ${CMAKE_SOURCE_DIR}/${d})
endforeach()
target_include_directories(velm_codecs PUBLIC ${CMAKE_SOURCE_DIR} ${velm_codec_includes})
target_link_libraries(velm_codecs PUBLIC Qt6::Core Qt6::Network)
# Every symbol a codec uses must come from the codecs or Qt Core/Network.
# (Checked by the plain build: in a sanitized one the sanitizer runtime is
# linked into the executables, and its symbols stay open in the library.)
if(NOT VELM_SANITIZE)
  target_link_options(velm_codecs PRIVATE -Wl,--no-undefined)
endif()
