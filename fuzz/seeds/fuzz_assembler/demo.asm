        NAME    DEMO
        EXTRN   CODE (PUTC)
        PUBLIC  START
PROG    SEGMENT CODE
VARS    SEGMENT DATA
        RSEG    VARS
COUNT:  DS      1
        RSEG    PROG
START:  MOV     COUNT,#5
LOOP:   LCALL   PUTC
        DJNZ    COUNT,LOOP
        SJMP    $
        END
