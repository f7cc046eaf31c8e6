; Two-module program, second module: block routines called by MAIN.
        NAME    UTIL
        PUBLIC  COPYBLOCK, SUMBLOCK
UTILSEG SEGMENT CODE
        RSEG    UTILSEG

; Copies R2 bytes from internal RAM at @R0 to external RAM at @DPTR.
COPYBLOCK:
        MOV     A,@R0
        MOVX    @DPTR,A
        INC     R0
        INC     DPTR
        DJNZ    R2,COPYBLOCK
        RET

; Adds R2 bytes of external RAM from @DPTR on; the sum is left in A.
SUMBLOCK:
        CLR     A
        MOV     R3,A
SUMNEXT:
        MOVX    A,@DPTR
        ADD     A,R3
        MOV     R3,A
        INC     DPTR
        DJNZ    R2,SUMNEXT
        MOV     A,R3
        RET
        END
