$SET (FAST = 1)
#define COUNT 0x10
        CSEG AT 0
WAIT    MACRO N
        LOCAL L
        MOV R7,#N
L:      DJNZ R7,L
        ENDM
/* two waits */ WAIT COUNT
        WAIT 0b11   // and a short one
$IF (FAST)
        REPT 2
        NOP
        ENDM
$ELSE
        IRP R, <R0, R1>
        INC R
        ENDM
$ENDIF
        IF COUNT > 8 AND LOW (COUNT) <> 0
        IRPC D, 12
        DB D
        ENDM
        ELSE
        SJMP $
        ENDIF
        END
