CREATE TABLE "Emp" (
    "Id"    NUMBER(6),
    "Name"  VARCHAR2(30),
    "Job"   NUMBER(3),
    PRIMARY KEY ("Id")
);
