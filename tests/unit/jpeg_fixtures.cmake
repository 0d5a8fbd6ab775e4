# The JPEG fixtures made by tools/make_about_picture.py, built into the unit tests.
corvani_embed(unit_tests ${CORVANI_SOURCE_DIR}/tests/data/grey.jpg test_grey_jpeg)
corvani_embed(unit_tests ${CORVANI_SOURCE_DIR}/tests/data/progressive.jpg test_progressive_jpeg)
