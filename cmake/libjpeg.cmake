# Placeholder until the JPEG decoder lands: defines nothing yet.
