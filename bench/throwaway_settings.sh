# Sourced by the bench scripts: settings() writes the main settings file into "$product" of a
# throwaway home, A3 upright at 100 %, black is pen 1; its arguments are extra "key = value"
# lines.
settings() {
  {
    printf 'THPrint.prInfo.rPage = 0,0,842,1191\r\nTHPrint.prXInfo.iBandV = 100\r\n'
    printf 'THPrint.prXInfo.iBandH = 100\r\nTHPrint.prJob.iFstPage = 1\r\n'
    printf 'THPrint.prJob.iLstPage = 1\r\nTHPrConfig.toollist_01.tpenid = 1\r\n'
    printf 'THPrConfig.toollist_01.fcolor = 1\r\n'
    local line
    for line in "$@"; do printf '%s\r\n' "$line"; done
  } >"$product/TRZNSerConfig.ini"
}
