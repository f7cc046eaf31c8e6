        NAME    IO
        PUBLIC  PUTC
IOSEG   SEGMENT CODE
        RSEG    IOSEG
PUTC:   RET
        END
