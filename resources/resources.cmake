# Compiled into lumora_ui with Qt's resource system under ":/lumora/".
# (Filled in as the icon, logo and texts arrive.)
