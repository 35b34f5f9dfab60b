# Turns Emscripten's MODULARIZE factory into an ES module: the same text, exporting the factory.
#   cmake -DGLUE=velunta_wasm.js -DOUTPUT=package/velunta_wasm.js -P make_es_module.cmake
file(READ ${GLUE} glue)
file(WRITE ${OUTPUT} "${glue}\nexport default loadVelunta;\n")
