; Lab example: fills 16 bytes of internal RAM from 30H on with 00H, 01H, ...,
; copies them to external RAM from 0100H on, then loops where it ended.
        NAME    COPYBLOCK

SOURCE  EQU     30H             ; first byte of the block in internal RAM
TARGET  EQU     0100H           ; first byte of the copy in external RAM
LENGTH  EQU     16

        CSEG    AT 0
        LJMP    MAIN

        CSEG    AT 0030H
MAIN:   MOV     SP,#5FH
        MOV     R0,#SOURCE      ; fill the block: 00H, 01H, ...
        MOV     R2,#LENGTH
        CLR     A
FILL:   MOV     @R0,A
        INC     A
        INC     R0
        DJNZ    R2,FILL

        MOV     R0,#SOURCE      ; copy it to external RAM
        MOV     DPTR,#TARGET
        MOV     R2,#LENGTH
COPY:   MOV     A,@R0
        MOVX    @DPTR,A
        INC     R0
        INC     DPTR
        DJNZ    R2,COPY

HERE:   SJMP    HERE
        END
