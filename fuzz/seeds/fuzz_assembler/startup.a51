; Start-up code for a program whose main part starts at ?C_START: clears the
; internal and external data memory the program expects to be zero, puts the
; stack above the program's data and jumps to ?C_START. Copy it next to the
; program, set the lengths below and assemble it with the program's modules.

$NOMOD51
$SET (FOR_8052)                 ; $RESET (FOR_8052) for a plain 8051
$IF (FOR_8052)
$INCLUDE (REG52.INC)
$ELSE
$INCLUDE (REG51.INC)
$ENDIF

IDATALEN        EQU     80H     // bytes of internal RAM cleared from 0 on (0: none)
XDATASTART      EQU     0       /* the external RAM cleared ... */
XDATALEN        EQU     0       /* ... and its length in bytes (0: none) */

                NAME    ?C_STARTUP

?C_INIT         SEGMENT CODE
?STACK          SEGMENT IDATA

                RSEG    ?STACK
                DS      1

                EXTRN   CODE (?C_START)
                PUBLIC  ?C_STARTUP

                CSEG    AT 0
?C_STARTUP:     LJMP    CLEAR

                RSEG    ?C_INIT
CLEAR:
                IF IDATALEN <> 0
                MOV     R0,#LOW (IDATALEN - 1)
                CLR     A
IDATA_LOOP:     MOV     @R0,A
                DJNZ    R0,IDATA_LOOP
                ENDIF

                IF XDATALEN <> 0
                MOV     DPTR,#XDATASTART
                MOV     R7,#LOW (XDATALEN)
                IF (LOW (XDATALEN)) <> 0
                MOV     R6,#HIGH (XDATALEN) + 1
                ELSE
                MOV     R6,#HIGH (XDATALEN)
                ENDIF
                CLR     A
XDATA_LOOP:     MOVX    @DPTR,A
                INC     DPTR
                DJNZ    R7,XDATA_LOOP
                DJNZ    R6,XDATA_LOOP
                ENDIF

                MOV     SP,#?STACK - 1
                LJMP    ?C_START

                END
