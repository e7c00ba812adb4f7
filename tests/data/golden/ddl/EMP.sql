-- é–àıÉ}ÉXÉ^
DROP TABLE EMP;
CREATE TABLE EMP (
    EMPNO     NUMBER(4)     NOT NULL,   -- é–àıî‘çÜ
    ENAME     VARCHAR2(10),             -- éÅñº
    JOB       CHAR(9),
    HIREDATE  DATE,
    SAL       NUMBER(7,2),
    CONSTRAINT PK_EMP PRIMARY KEY (EMPNO)
);
COMMIT;
