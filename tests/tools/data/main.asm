; Two-module program, first module. Fills internal RAM 30H-37H with 1..8,
; copies the block to external RAM 0100H-0107H and adds it up there with the
; routines of UTIL; the sum (24H) ends in RESULT and in internal RAM 40H.
        NAME    MAIN
        EXTRN   CODE (COPYBLOCK, SUMBLOCK)
        PUBLIC  RESULT
STACK   SEGMENT IDATA
VARS    SEGMENT DATA
PROG    SEGMENT CODE

        RSEG    STACK
        DS      16
        RSEG    VARS
RESULT: DS      1

        CSEG    AT 0
        LJMP    START

        RSEG    PROG
START:  MOV     SP,#STACK-1
        MOV     R0,#30H
        MOV     R2,#8
        MOV     A,#1
FILL:   MOV     @R0,A
        INC     A
        INC     R0
        DJNZ    R2,FILL
        MOV     R0,#30H
        MOV     DPTR,#0100H
        MOV     R2,#8
        LCALL   COPYBLOCK
        MOV     DPTR,#0100H
        MOV     R2,#8
        LCALL   SUMBLOCK
        MOV     RESULT,A
        MOV     40H,A
DONE:   SJMP    DONE
        END
